// Remote-call records: typed, named, directed parameters in the order added.
#include "Framework.h"

#include <utility>

namespace {

// Room for the parameters of a typical request, taken once per request.
constexpr std::size_t kReservedParameters = 4;

const char* kindName(Parameter::kinds kind) {
    switch (kind) {
        case Parameter::INT: return "INT";
        case Parameter::STRING: return "STRING";
        case Parameter::BOOL: return "BOOL";
    }
    return "unknown kind";
}

[[noreturn]] void throwKindMismatch(const Parameter& parameter, Parameter::kinds asked) {
    throw CorvexException("parameter '" + parameter.name() + "' is " + kindName(parameter.kind()) +
                          ", not " + kindName(asked));
}

const Parameter& checked(const Parameter& parameter, Parameter::kinds asked) {
    if (parameter.kind() != asked) throwKindMismatch(parameter, asked);
    return parameter;
}

}  // namespace

// ---------------------------------------------------------------------------
// Parameter

Parameter::Parameter(const char* name, kinds kind, directions direction)
    : name_(name ? name : ""), kind_(kind), direction_(direction) {}

int Parameter::intValue() const { return checked(*this, INT).number_; }

const std::string& Parameter::stringValue() const { return checked(*this, STRING).text_; }

bool Parameter::boolValue() const { return checked(*this, BOOL).number_ != 0; }

// ---------------------------------------------------------------------------
// Method

Method::Method() : type_(REPLY) {}

Method::Method(const char* name, methodTypes type) : name_(name ? name : ""), type_(type) {
    parameters_.reserve(kReservedParameters);
}

void Method::addIntParameter(const char* name, const int& value, const Parameter::directions& direction) {
    Parameter parameter(name, Parameter::INT, direction);
    parameter.number_ = value;
    parameters_.push_back(std::move(parameter));
}

void Method::addStringParameter(const char* name, const std::string& value,
                                const Parameter::directions& direction) {
    Parameter parameter(name, Parameter::STRING, direction);
    parameter.text_ = value;
    parameters_.push_back(std::move(parameter));
}

void Method::addBoolParameter(const char* name, const bool& value, const Parameter::directions& direction) {
    Parameter parameter(name, Parameter::BOOL, direction);
    parameter.number_ = value ? 1 : 0;
    parameters_.push_back(std::move(parameter));
}

const Parameter* Method::find(const char* name, Parameter::directions direction) const {
    const char* wanted = name ? name : "";
    for (const Parameter& parameter : parameters_) {
        if (parameter.direction_ == direction && parameter.name_ == wanted) return &parameter;
    }
    return nullptr;
}

bool Method::getIntParameter(const char* name, int& value, Parameter::directions direction) {
    const Parameter* parameter = find(name, direction);
    if (!parameter) return false;
    value = parameter->intValue();
    return true;
}

bool Method::getStringParameter(const char* name, std::string& value, Parameter::directions direction) {
    const Parameter* parameter = find(name, direction);
    if (!parameter) return false;
    value = parameter->stringValue();
    return true;
}

bool Method::getBoolParameter(const char* name, bool& value, Parameter::directions direction) {
    const Parameter* parameter = find(name, direction);
    if (!parameter) return false;
    value = parameter->boolValue();
    return true;
}
