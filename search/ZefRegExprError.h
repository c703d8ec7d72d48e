// The regular-expression engine's error kind, its error numbers and their fixed texts.
#pragma once

#include <stdexcept>
#include <string>

// Error numbers below 1000 come from compiling an expression, from 1000 on from executing it.
enum TZefRegExprErrorCode : int {
    reeOk = 0,
    reeCompNullArgument = 100,
    reeCompParseRegTooManyBrackets = 102,
    reeCompParseRegUnmatchedBrackets = 103,
    reeCompParseRegUnmatchedBrackets2 = 104,
    reePlusStarOperandCouldBeEmpty = 106,
    reeNestedSQP = 107,
    reeBadHexDigit = 108,
    reeInvalidRange = 109,
    reeParseAtomTrailingBackSlash = 110,
    reeNoHexCodeAfterBSlashX = 111,
    reeHexCodeAfterBSlashXTooBig = 112,
    reeUnmatchedSqBrackets = 113,
    reeInternalUrp = 114,
    reeQPSBFollowsNothing = 115,
    reeTrailingBackSlash = 116,
    reeRarseAtomInternalDisaster = 119,
    reeBRACESArgTooBig = 122,
    reeBracesMinParamGreaterMax = 124,
    reeUnclosedComment = 125,
    reeUrecognizedModifier = 127,
    reeBadLinePairedSeparator = 128,
    reeRegRepeatCalledInappropriately = 1000,
    reeMatchPrimMemoryCorruption = 1001,
    reeMatchPrimCorruptedPointers = 1002,
    reeNoExpression = 1003,
    reeCorruptedProgram = 1004,
    reeNoInputStringSpecified = 1005,
    reeOffsetMustBeGreaterThen0 = 1006,
    reeExecNextWithoutExec = 1007,
    reeLoopStackExceeded = 1014,
    reeLoopWithoutEntry = 1015,
    // Raised when one search of a line runs past the matcher's step or backtracking budget.
    reeMatchTooComplex = 1016,
};

// The text of an error number; "No errors" for 0 and "Unknown error" for a number not in the table.
std::string ZefRegExprErrorText(int code);

// A compile or execution error. Compile errors (Code < 1000) carry the 0-based offset in the expression
// where parsing stopped, and their message ends with " (pos <Position>)"; execution errors have Position 0.
class EZefRegExpr : public std::runtime_error {
public:
    EZefRegExpr(int code, int position);
    int Code() const { return code_; }
    int Position() const { return position_; }

private:
    int code_;
    int position_;
};
