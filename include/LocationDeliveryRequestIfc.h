/// \file
/// Asking the location delivery request service to deliver the location.
#pragma once

#include "MgmtInterfaceExport.h"

/// The location delivery request service. Clients get it by casting the
/// `Proxy*` that createLocationDeliveryRequestProxy() returns.
///
/// No base and no virtual destructor: implementations are destroyed through
/// their framework part.
class MGMT_INTERFACE LocationDeliveryRequestIfc {
public:
    /// Asks the service to deliver the location. One-way: nothing comes back,
    /// and a failed send throws CorvexException.
    /// On the wire: \ref op_sendLocationDeliveryRequest.
    virtual void sendLocationDeliveryRequest() = 0;
};
