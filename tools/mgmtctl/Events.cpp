#include "Events.h"

#include "Masking.h"

namespace mgmtctl {

const char* styleName(mgmtdesc::CallStyle style) { return mgmtdesc::nameOf(style); }

Value shownParameter(const Parameter& parameter) {
    if (namesPassword(parameter.name())) return Value::text(kMask);
    switch (parameter.kind()) {
        case Parameter::INT: return Value::integer(parameter.intValue());
        case Parameter::BOOL: return Value::boolean(parameter.boolValue());
        case Parameter::STRING:
            if (carriesManageableData(parameter.name()))
                return Value::text(maskedDataText(parameter.stringValue()));
            return Value::text(parameter.stringValue());
    }
    return Value::none();
}

}  // namespace mgmtctl
