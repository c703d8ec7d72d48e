// Compiler from the node tree to the matcher's program, and the analysis that lets the search skip positions.
#pragma once

#include "ZefRegExprNode.h"
#include "ZefRegExprProgram.h"

// Counted loops (a brace or lazy quantifier on more than one byte) nested deeper than this raise the
// loop-stack error when the matcher reaches them.
inline constexpr int kZefReMaxLoopDepth = 10;

class TZefReCompiler {
public:
    // Compiles the tree of TZefReParser::Parse. The line separators drive "^" and "$" under m.
    static TZefReProgram Compile(const TZefReNode& root, int groupCount, const TZefRegExprCharSet& lineSeparators,
                                 const std::string& pairedSeparator);

private:
    uint32_t Here() const { return static_cast<uint32_t>(program_.code.size()); }
    uint32_t Add(const TZefReInst& inst);
    int AddSet(const TZefRegExprCharSet& set);
    void Emit(const TZefReNode& node);
    void EmitLiterals(const TZefReNode* const* first, size_t count);
    void EmitRepeat(const TZefReNode& node);
    void EmitAlternation(const TZefReNode& node);

    void AddHints();
    void ComputeFirstChars();
    void ComputeStartFacts(const TZefReNode& root);

    TZefReProgram program_;
    int loopDepth_ = 0;
};
