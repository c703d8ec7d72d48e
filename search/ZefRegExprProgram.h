// The compiled form of a regular expression: a flat program of instructions for the backtracking matcher,
// with the facts the search loop uses to skip start positions.
#pragma once

#include "ZefRegExprCharSet.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TZefReOp : uint8_t {
    Byte,            // one byte equal to a or to b (b is a's other case, or a)
    String,          // a run of b bytes from literals[a]; each may also equal literalsAlt[a + i]
    Set,             // one byte in sets[a]
    Any,             // any byte
    LineStart,       // "^"; multi (min != 0) also after a line separator
    LineEnd,         // "$"; multi also before a line separator
    InputStart,      // "\A"
    InputEnd,        // "\Z"
    WordBoundary,    // "\b"
    NotWordBoundary, // "\B"
    BackRef,         // text of group a; b != 0 compares in both cases
    Save,            // capture slot a := position
    Split,           // try x first, on failure y
    Jump,            // continue at x
    RepeatSimple,    // min..max bytes of sets[a] in one step; hint is the byte that must follow (-1: none)
    LoopInit,        // register a := count 0
    LoopTest,        // register a: iterate body x or leave to y within min..max; b != 0: body may be empty
    LoopEnd,         // end of body of the loop whose test is at x
    LoopTooDeep,     // raises the loop-stack error when reached
    Match,           // success
};

struct TZefReInst {
    TZefReOp op = TZefReOp::Match;
    bool greedy = true;
    int32_t a = 0;
    int32_t b = 0;
    int32_t min = 0;
    int32_t max = -1; // -1: unbounded
    uint32_t x = 0;
    uint32_t y = 0;
    int16_t hint = -1;
    int16_t hintAlt = -1;
};

struct TZefReProgram {
    std::vector<TZefReInst> code;
    std::vector<TZefRegExprCharSet> sets;
    std::string literals;
    std::string literalsAlt;
    int registerCount = 0;
    int groupCount = 0;
    TZefRegExprCharSet lineSeparators;
    std::string pairedSeparator; // empty or two different bytes, such as CR LF

    // Search-loop facts (see TZefReMatcher::Search).
    TZefRegExprCharSet firstChars;        // bytes at which a match can begin
    bool anchoredStart = false;    // begins with "^" (without m) or "\A" and has no top-level "|"
    int firstLiteral = -1;         // case-sensitive byte every match begins with, or -1
    std::string requiredLiteral;   // case-sensitive run every match contains, or empty
    bool pureLiteral = false;      // the whole program is requiredLiteral: a substring search answers
    int leadingRepeatSet = -1;     // sets index when the program begins with an unbounded simple repeat

    // One instruction per line, "pc: op args", for tests and debugging.
    std::string Dump() const;
};
