// The base Assign: reached only when neither side knows the other.
#include "ZefPersistent.h"

#include <string>

void TZefPersistent::Assign(const TZefPersistent& source)
{
    throw EZefAssignError(std::string("Cannot assign a ") + source.ClassName() + " to a " + ClassName());
}
