#include "LogicalLines.h"

namespace check {

namespace {

std::string_view WithoutReturn(std::string_view physical)
{
    if (!physical.empty() && physical.back() == '\r')
        physical.remove_suffix(1);
    return physical;
}

}  // namespace

bool GoesOn(std::string_view physical)
{
    physical = WithoutReturn(physical);
    return !physical.empty() && physical.back() == '\\';
}

std::string_view Body(std::string_view physical)
{
    physical = WithoutReturn(physical);
    if (!physical.empty() && physical.back() == '\\')
        physical.remove_suffix(1);
    return physical;
}

}  // namespace check
