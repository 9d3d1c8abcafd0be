#include "ui/navigator.h"

namespace {
ISCNavigator* CurrentNavigator = nullptr;
} // namespace

ISCNavigator* Navigator()
{
    return CurrentNavigator;
}

void SetNavigator(ISCNavigator* ANavigator)
{
    CurrentNavigator = ANavigator;
}
