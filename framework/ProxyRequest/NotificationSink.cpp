// Out of line, so that the interface's vtable and type information live in the
// framework library and observers in other modules cast to the same type.
#include "Framework.h"

NotificationSink::~NotificationSink() = default;
