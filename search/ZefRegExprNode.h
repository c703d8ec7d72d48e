// The parsed form of a regular expression: a tree of nodes that the parser builds and the compiler reads.
#pragma once

#include "ZefRegExprCharSet.h"

#include <memory>
#include <string>
#include <vector>

enum class TZefReNodeKind : uint8_t {
    Empty,           // matches the empty text (empty alternative, comment, modifier group)
    Literal,         // one byte, compared in both cases under ignoreCase
    Set,             // one byte of a class, an escape class or "." without s
    Any,             // any byte ("." with s)
    LineStart,       // "^"
    LineEnd,         // "$"
    InputStart,      // "\A"
    InputEnd,        // "\Z"
    WordBoundary,    // "\b"
    NotWordBoundary, // "\B"
    BackRef,         // "\1".."\9"
    Group,           // capturing group; one child, an Alternation
    Alternation,     // children are the alternatives, each a Concat
    Concat,          // children in order
    Repeat,          // one child repeated min..max times (max -1: unbounded)
};

struct TZefReNode {
    TZefReNodeKind kind = TZefReNodeKind::Empty;
    unsigned char ch = 0;     // Literal
    bool ignoreCase = false;  // Literal, BackRef (a Set is already closed under case)
    bool multiLine = false;   // LineStart, LineEnd
    TZefRegExprCharSet set;          // Set
    int number = 0;           // Group: capture number 1..14; BackRef: referenced group
    int min = 0;              // Repeat
    int max = -1;             // Repeat; -1 for no upper bound
    bool greedy = true;       // Repeat
    std::vector<std::unique_ptr<TZefReNode>> children;

    explicit TZefReNode(TZefReNodeKind k) : kind(k) {}

    // True when every match of the node takes at least one byte, as the compile checks see it
    // (a back-reference counts as taking bytes).
    bool HasWidth() const;
    // True when the node can match the empty text at run time (a back-reference can).
    bool MayBeEmpty() const;
    // True for a node that a simple repetition handles in one step (one byte per repetition).
    bool IsSingleByte() const;
    // One-line text of the tree, e.g. "cat(lit(a) rep{0,-1,g}(set(0-9)))", for tests and debugging.
    std::string Dump() const;
};

using TZefReNodePtr = std::unique_ptr<TZefReNode>;
