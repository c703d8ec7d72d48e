// The common base of the objects that copy themselves with Assign and report changes with themselves as sender.
#pragma once

#include <functional>
#include <stdexcept>

// Assigning between unrelated kinds of object: "Cannot assign a <source> to a <target>".
class EZefAssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TZefPersistent {
public:
    virtual ~TZefPersistent() = default;
    // Copies what the target understands of source; the base understands nothing and raises EZefAssignError.
    virtual void Assign(const TZefPersistent& source);

    // Class name for messages ("TZefHighlighterAttributes", ...).
    virtual const char* ClassName() const { return "TZefPersistent"; }

protected:
    TZefPersistent() = default;
    TZefPersistent(const TZefPersistent&) = default;
    TZefPersistent& operator=(const TZefPersistent&) = default;
};

// A change notification carrying its sender (an attribute, a highlighter, or none).
using TZefNotifyEvent = std::function<void(TZefPersistent* sender)>;
