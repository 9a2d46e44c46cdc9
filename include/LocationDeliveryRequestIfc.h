// Asking the location delivery request service to deliver the location.
#pragma once

#include "MgmtInterfaceExport.h"

// No base and no virtual destructor: implementations are destroyed through
// their framework part.
class MGMT_INTERFACE LocationDeliveryRequestIfc {
public:
    virtual void sendLocationDeliveryRequest() = 0;
};
