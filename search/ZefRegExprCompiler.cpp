// Emits the program for a node tree in one pass (jump targets are patched), then derives the first-byte
// set, the start anchor, the leading literal and the required literal that the search loop uses.
#include "ZefRegExprCompiler.h"

TZefReProgram TZefReCompiler::Compile(const TZefReNode& root, int groupCount, const TZefRegExprCharSet& lineSeparators,
                                      const std::string& pairedSeparator)
{
    TZefReCompiler compiler;
    compiler.program_.groupCount = groupCount;
    compiler.program_.lineSeparators = lineSeparators;
    compiler.program_.pairedSeparator = pairedSeparator;
    compiler.Emit(root);
    TZefReInst match;
    match.op = TZefReOp::Match;
    compiler.Add(match);
    compiler.AddHints();
    compiler.ComputeFirstChars();
    compiler.ComputeStartFacts(root);
    return std::move(compiler.program_);
}

uint32_t TZefReCompiler::Add(const TZefReInst& inst)
{
    program_.code.push_back(inst);
    return Here() - 1;
}

int TZefReCompiler::AddSet(const TZefRegExprCharSet& set)
{
    for (size_t i = 0; i < program_.sets.size(); ++i) {
        if (program_.sets[i] == set) return static_cast<int>(i);
    }
    program_.sets.push_back(set);
    return static_cast<int>(program_.sets.size() - 1);
}

void TZefReCompiler::Emit(const TZefReNode& node)
{
    TZefReInst in;
    switch (node.kind) {
    case TZefReNodeKind::Empty:
        return;
    case TZefReNodeKind::Literal: {
        const TZefReNode* one = &node;
        EmitLiterals(&one, 1);
        return;
    }
    case TZefReNodeKind::Set:
        in.op = TZefReOp::Set;
        in.a = AddSet(node.set);
        break;
    case TZefReNodeKind::Any: in.op = TZefReOp::Any; break;
    case TZefReNodeKind::LineStart:
    case TZefReNodeKind::LineEnd:
        in.op = node.kind == TZefReNodeKind::LineStart ? TZefReOp::LineStart : TZefReOp::LineEnd;
        in.min = node.multiLine ? 1 : 0;
        break;
    case TZefReNodeKind::InputStart: in.op = TZefReOp::InputStart; break;
    case TZefReNodeKind::InputEnd: in.op = TZefReOp::InputEnd; break;
    case TZefReNodeKind::WordBoundary: in.op = TZefReOp::WordBoundary; break;
    case TZefReNodeKind::NotWordBoundary: in.op = TZefReOp::NotWordBoundary; break;
    case TZefReNodeKind::BackRef:
        in.op = TZefReOp::BackRef;
        in.a = node.number;
        in.b = node.ignoreCase ? 1 : 0;
        break;
    case TZefReNodeKind::Group: {
        TZefReInst save;
        save.op = TZefReOp::Save;
        save.a = node.number * 2;
        Add(save);
        Emit(*node.children[0]);
        save.a = node.number * 2 + 1;
        Add(save);
        return;
    }
    case TZefReNodeKind::Alternation:
        EmitAlternation(node);
        return;
    case TZefReNodeKind::Concat: {
        const auto& kids = node.children;
        for (size_t i = 0; i < kids.size();) {
            size_t run = 0;
            std::vector<const TZefReNode*> literals;
            while (i + run < kids.size() && kids[i + run]->kind == TZefReNodeKind::Literal) {
                literals.push_back(kids[i + run].get());
                ++run;
            }
            if (run > 0) {
                EmitLiterals(literals.data(), run);
                i += run;
            } else {
                Emit(*kids[i]);
                ++i;
            }
        }
        return;
    }
    case TZefReNodeKind::Repeat:
        EmitRepeat(node);
        return;
    }
    Add(in);
}

void TZefReCompiler::EmitLiterals(const TZefReNode* const* first, size_t count)
{
    TZefReInst in;
    if (count == 1) {
        in.op = TZefReOp::Byte;
        in.a = first[0]->ch;
        in.b = first[0]->ignoreCase ? ZefFlipCase(first[0]->ch) : first[0]->ch;
        Add(in);
        return;
    }
    in.op = TZefReOp::String;
    in.a = static_cast<int32_t>(program_.literals.size());
    in.b = static_cast<int32_t>(count);
    in.min = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char c = first[i]->ch;
        program_.literals += static_cast<char>(c);
        program_.literalsAlt += static_cast<char>(first[i]->ignoreCase ? ZefFlipCase(c) : c);
        if (first[i]->ignoreCase) in.min = 1;
    }
    Add(in);
}

void TZefReCompiler::EmitAlternation(const TZefReNode& node)
{
    const auto& kids = node.children;
    if (kids.size() == 1) {
        Emit(*kids[0]);
        return;
    }
    std::vector<uint32_t> jumpsToEnd;
    for (size_t i = 0; i < kids.size(); ++i) {
        const bool last = i + 1 == kids.size();
        uint32_t split = 0;
        if (!last) {
            TZefReInst in;
            in.op = TZefReOp::Split;
            split = Add(in);
            program_.code[split].x = Here();
        }
        Emit(*kids[i]);
        if (!last) {
            TZefReInst jump;
            jump.op = TZefReOp::Jump;
            jumpsToEnd.push_back(Add(jump));
            program_.code[split].y = Here();
        }
    }
    for (uint32_t pc : jumpsToEnd) program_.code[pc].x = Here();
}

void TZefReCompiler::EmitRepeat(const TZefReNode& node)
{
    const TZefReNode& body = *node.children[0];
    if (node.max == 0) return; // "{0}" matches the empty text and leaves its groups unset
    if (body.IsSingleByte()) {
        TZefRegExprCharSet set;
        if (body.kind == TZefReNodeKind::Literal) {
            set.Add(body.ch);
            if (body.ignoreCase) set.Add(ZefFlipCase(body.ch));
        } else if (body.kind == TZefReNodeKind::Any) {
            set.AddAll();
        } else {
            set = body.set;
        }
        TZefReInst in;
        in.op = TZefReOp::RepeatSimple;
        in.a = AddSet(set);
        in.min = node.min;
        in.max = node.max;
        in.greedy = node.greedy;
        Add(in);
        return;
    }

    const bool unbounded = node.max < 0;
    const bool plainShape = (node.min == 0 && unbounded) || (node.min == 1 && unbounded) ||
                            (node.min == 0 && node.max == 1);
    const bool counted = !plainShape || (unbounded && body.MayBeEmpty());
    // The loop-stack limit applies to the loops that keep a counter: braces and lazy quantifiers.
    const bool countsForDepth = !plainShape || !node.greedy;
    if (countsForDepth) ++loopDepth_;
    auto emitBody = [&] {
        if (countsForDepth && loopDepth_ > kZefReMaxLoopDepth) {
            TZefReInst deep;
            deep.op = TZefReOp::LoopTooDeep;
            Add(deep);
        }
        Emit(body);
    };

    TZefReInst split;
    split.op = TZefReOp::Split;
    if (counted) {
        const int reg = program_.registerCount++;
        TZefReInst init;
        init.op = TZefReOp::LoopInit;
        init.a = reg;
        Add(init);
        TZefReInst test;
        test.op = TZefReOp::LoopTest;
        test.a = reg;
        test.b = body.MayBeEmpty() ? 1 : 0;
        test.min = node.min;
        test.max = node.max;
        test.greedy = node.greedy;
        const uint32_t testPc = Add(test);
        program_.code[testPc].x = Here();
        emitBody();
        TZefReInst end;
        end.op = TZefReOp::LoopEnd;
        end.a = reg;
        end.x = testPc;
        Add(end);
        program_.code[testPc].y = Here();
    } else if (node.min == 1) {
        const uint32_t bodyPc = Here();
        emitBody();
        const uint32_t splitPc = Add(split);
        program_.code[splitPc].x = node.greedy ? bodyPc : Here();
        program_.code[splitPc].y = node.greedy ? Here() : bodyPc;
    } else {
        const uint32_t splitPc = Add(split);
        emitBody();
        if (unbounded) {
            TZefReInst jump;
            jump.op = TZefReOp::Jump;
            jump.x = splitPc;
            Add(jump);
        }
        program_.code[splitPc].x = node.greedy ? splitPc + 1 : Here();
        program_.code[splitPc].y = node.greedy ? Here() : splitPc + 1;
    }
    if (countsForDepth) --loopDepth_;
}

void TZefReCompiler::AddHints()
{
    // A greedy simple repeat followed by a literal backs off only to where that literal byte follows.
    auto& code = program_.code;
    for (size_t pc = 0; pc + 1 < code.size(); ++pc) {
        if (code[pc].op != TZefReOp::RepeatSimple) continue;
        const TZefReInst& next = code[pc + 1];
        if (next.op == TZefReOp::Byte) {
            code[pc].hint = static_cast<int16_t>(next.a);
            code[pc].hintAlt = static_cast<int16_t>(next.b);
        } else if (next.op == TZefReOp::String) {
            code[pc].hint = static_cast<unsigned char>(program_.literals[static_cast<size_t>(next.a)]);
            code[pc].hintAlt = static_cast<unsigned char>(program_.literalsAlt[static_cast<size_t>(next.a)]);
        }
    }
}

void TZefReCompiler::ComputeFirstChars()
{
    // Walks every path from the start until it takes a byte; the union of those bytes is the set. Paths
    // that reach the end without taking a byte add nothing.
    const auto& code = program_.code;
    TZefRegExprCharSet& first = program_.firstChars;
    std::vector<bool> seen(code.size(), false);
    std::vector<uint32_t> todo{0};
    while (!todo.empty()) {
        const uint32_t pc = todo.back();
        todo.pop_back();
        if (pc >= code.size() || seen[pc]) continue;
        seen[pc] = true;
        const TZefReInst& in = code[pc];
        switch (in.op) {
        case TZefReOp::Byte:
            first.Add(static_cast<unsigned char>(in.a));
            first.Add(static_cast<unsigned char>(in.b));
            break;
        case TZefReOp::String:
            first.Add(static_cast<unsigned char>(program_.literals[static_cast<size_t>(in.a)]));
            first.Add(static_cast<unsigned char>(program_.literalsAlt[static_cast<size_t>(in.a)]));
            break;
        case TZefReOp::Set: first.AddSet(program_.sets[static_cast<size_t>(in.a)]); break;
        case TZefReOp::Any:
        case TZefReOp::BackRef: first.AddAll(); break;
        case TZefReOp::RepeatSimple:
            first.AddSet(program_.sets[static_cast<size_t>(in.a)]);
            if (in.min == 0) todo.push_back(pc + 1);
            break;
        case TZefReOp::Split:
            todo.push_back(in.x);
            todo.push_back(in.y);
            break;
        case TZefReOp::Jump: todo.push_back(in.x); break;
        case TZefReOp::LoopTest:
            todo.push_back(in.x);
            if (in.min == 0) todo.push_back(in.y);
            break;
        case TZefReOp::LoopEnd:
            todo.push_back(in.x);
            todo.push_back(code[in.x].y);
            break;
        case TZefReOp::Match: break;
        default: todo.push_back(pc + 1); break;
        }
    }
}

void TZefReCompiler::ComputeStartFacts(const TZefReNode& root)
{
    const auto& code = program_.code;
    size_t pc = 0;
    while (code[pc].op == TZefReOp::Save) ++pc;
    const TZefReInst& first = code[pc];
    program_.anchoredStart =
        (first.op == TZefReOp::LineStart && first.min == 0) || first.op == TZefReOp::InputStart;
    // Assertions take no bytes, so the first byte-taking instruction decides the leading literal.
    size_t lit = pc;
    while (code[lit].op == TZefReOp::Save || code[lit].op == TZefReOp::WordBoundary ||
           code[lit].op == TZefReOp::NotWordBoundary || code[lit].op == TZefReOp::LineStart ||
           code[lit].op == TZefReOp::InputStart) {
        ++lit;
    }
    const TZefReInst& taking = code[lit];
    if (taking.op == TZefReOp::Byte && taking.a == taking.b) {
        program_.firstLiteral = taking.a;
    } else if (taking.op == TZefReOp::String && program_.literals[static_cast<size_t>(taking.a)] ==
                                                  program_.literalsAlt[static_cast<size_t>(taking.a)]) {
        program_.firstLiteral = static_cast<unsigned char>(program_.literals[static_cast<size_t>(taking.a)]);
    }
    if (code[0].op == TZefReOp::RepeatSimple && code[0].max < 0) program_.leadingRepeatSet = code[0].a;

    if (root.children.size() != 1) return; // top-level alternation: no literal is required
    std::string run;
    for (const auto& child : root.children[0]->children) {
        if (child->kind == TZefReNodeKind::Literal && !child->ignoreCase) {
            run += static_cast<char>(child->ch);
        } else if (child->kind != TZefReNodeKind::Empty) {
            if (!run.empty() && run.size() >= program_.requiredLiteral.size()) program_.requiredLiteral = run;
            run.clear();
        }
    }
    if (!run.empty() && run.size() >= program_.requiredLiteral.size()) program_.requiredLiteral = run;
    const bool literalOnly = code.size() == 2 && (code[0].op == TZefReOp::String || code[0].op == TZefReOp::Byte);
    program_.pureLiteral = literalOnly && program_.requiredLiteral.size() == (code[0].op == TZefReOp::Byte ? 1u : static_cast<size_t>(code[0].b));
}
