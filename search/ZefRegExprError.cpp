// Error texts of the regular-expression engine.
#include "ZefRegExprError.h"

#include <utility>

namespace {

constexpr std::pair<int, const char*> kErrorTexts[] = {
    {reeOk, "No errors"},
    {reeCompNullArgument, "TZefRegExpr(comp): Null Argument"},
    {reeCompParseRegTooManyBrackets, "TZefRegExpr(comp): ParseReg Too Many ()"},
    {reeCompParseRegUnmatchedBrackets, "TZefRegExpr(comp): ParseReg Unmatched ()"},
    {reeCompParseRegUnmatchedBrackets2, "TZefRegExpr(comp): ParseReg Unmatched ()"},
    {reePlusStarOperandCouldBeEmpty, "TZefRegExpr(comp): *+ Operand Could Be Empty"},
    {reeNestedSQP, "TZefRegExpr(comp): Nested *?+"},
    {reeBadHexDigit, "TZefRegExpr(comp): Bad Hex Digit"},
    {reeInvalidRange, "TZefRegExpr(comp): Invalid [] Range"},
    {reeParseAtomTrailingBackSlash, "TZefRegExpr(comp): Parse Atom Trailing \\"},
    {reeNoHexCodeAfterBSlashX, "TZefRegExpr(comp): No Hex Code After \\x"},
    {reeHexCodeAfterBSlashXTooBig, "TZefRegExpr(comp): Hex Code After \\x Is Too Big"},
    {reeUnmatchedSqBrackets, "TZefRegExpr(comp): Unmatched []"},
    {reeInternalUrp, "TZefRegExpr(comp): Internal Urp"},
    {reeQPSBFollowsNothing, "TZefRegExpr(comp): ?+*{ Follows Nothing"},
    {reeTrailingBackSlash, "TZefRegExpr(comp): Trailing \\"},
    {reeRarseAtomInternalDisaster, "TZefRegExpr(comp): RarseAtom Internal Disaster"},
    {reeBRACESArgTooBig, "TZefRegExpr(comp): BRACES Argument Too Big"},
    {reeBracesMinParamGreaterMax, "TZefRegExpr(comp): BRACE Min Param Greater then Max"},
    {reeUnclosedComment, "TZefRegExpr(comp): Unclosed (?#Comment)"},
    {reeUrecognizedModifier, "TZefRegExpr(comp): Urecognized Modifier"},
    {reeBadLinePairedSeparator,
     "TZefRegExpr(comp): LinePairedSeparator must countain two different chars or no chars at all"},
    {reeRegRepeatCalledInappropriately, "TZefRegExpr(exec): RegRepeat Called Inappropriately"},
    {reeMatchPrimMemoryCorruption, "TZefRegExpr(exec): MatchPrim Memory Corruption"},
    {reeMatchPrimCorruptedPointers, "TZefRegExpr(exec): MatchPrim Corrupted Pointers"},
    {reeNoExpression, "TZefRegExpr(exec): Not Assigned Expression Property"},
    {reeCorruptedProgram, "TZefRegExpr(exec): Corrupted Program"},
    {reeNoInputStringSpecified, "TZefRegExpr(exec): No Inpit String Specified"},
    {reeOffsetMustBeGreaterThen0, "TZefRegExpr(exec): Offset Must Be Greater Then 0"},
    {reeExecNextWithoutExec, "TZefRegExpr(exec): ExecNext Without Exec[Pos]"},
    {reeLoopStackExceeded, "TZefRegExpr(exec): Loop Stack Exceeded"},
    {reeLoopWithoutEntry, "TZefRegExpr(exec): Loop Without LoopEntry !"},
    {reeMatchTooComplex, "TZefRegExpr(exec): Match Too Complex, Search Stopped"},
};

std::string MessageFor(int code, int position)
{
    std::string text = ZefRegExprErrorText(code);
    if (code < 1000) {
        text += " (pos " + std::to_string(position) + ")";
    }
    return text;
}

} // namespace

std::string ZefRegExprErrorText(int code)
{
    for (const auto& [number, text] : kErrorTexts) {
        if (number == code) {
            return text;
        }
    }
    return "Unknown error";
}

EZefRegExpr::EZefRegExpr(int code, int position)
    : std::runtime_error(MessageFor(code, position)), code_(code), position_(code < 1000 ? position : 0)
{
}
