// Text dump of a compiled regular-expression program.
#include "ZefRegExprProgram.h"

namespace {

const char* OpName(TZefReOp op)
{
    switch (op) {
    case TZefReOp::Byte: return "byte";
    case TZefReOp::String: return "string";
    case TZefReOp::Set: return "set";
    case TZefReOp::Any: return "any";
    case TZefReOp::LineStart: return "bol";
    case TZefReOp::LineEnd: return "eol";
    case TZefReOp::InputStart: return "bot";
    case TZefReOp::InputEnd: return "eot";
    case TZefReOp::WordBoundary: return "wordb";
    case TZefReOp::NotWordBoundary: return "nwordb";
    case TZefReOp::BackRef: return "ref";
    case TZefReOp::Save: return "save";
    case TZefReOp::Split: return "split";
    case TZefReOp::Jump: return "jump";
    case TZefReOp::RepeatSimple: return "repeat";
    case TZefReOp::LoopInit: return "loopinit";
    case TZefReOp::LoopTest: return "looptest";
    case TZefReOp::LoopEnd: return "loopend";
    case TZefReOp::LoopTooDeep: return "looptoodeep";
    case TZefReOp::Match: return "match";
    }
    return "?";
}

} // namespace

std::string TZefReProgram::Dump() const
{
    std::string out;
    for (size_t pc = 0; pc < code.size(); ++pc) {
        const TZefReInst& in = code[pc];
        out += std::to_string(pc) + ": " + OpName(in.op);
        switch (in.op) {
        case TZefReOp::Byte:
            out += ' ';
            out += static_cast<char>(in.a);
            if (in.b != in.a) (out += '/') += static_cast<char>(in.b);
            break;
        case TZefReOp::String:
            out += ' ' + literals.substr(static_cast<size_t>(in.a), static_cast<size_t>(in.b));
            if (literalsAlt.compare(static_cast<size_t>(in.a), static_cast<size_t>(in.b), literals, static_cast<size_t>(in.a), static_cast<size_t>(in.b)) != 0) out += "/i";
            break;
        case TZefReOp::Set: out += ' ' + sets[static_cast<size_t>(in.a)].Describe(); break;
        case TZefReOp::LineStart:
        case TZefReOp::LineEnd: out += in.min ? " m" : ""; break;
        case TZefReOp::BackRef: out += ' ' + std::to_string(in.a) + (in.b ? "/i" : ""); break;
        case TZefReOp::Save: out += ' ' + std::to_string(in.a); break;
        case TZefReOp::Split: out += ' ' + std::to_string(in.x) + ", " + std::to_string(in.y); break;
        case TZefReOp::Jump: out += ' ' + std::to_string(in.x); break;
        case TZefReOp::RepeatSimple:
            out += ' ' + sets[static_cast<size_t>(in.a)].Describe() + " {" + std::to_string(in.min) + "," +
                   std::to_string(in.max) + (in.greedy ? "}" : "}?");
            if (in.hint >= 0) (out += " hint ") += static_cast<char>(in.hint);
            break;
        case TZefReOp::LoopInit: out += " r" + std::to_string(in.a); break;
        case TZefReOp::LoopTest:
            out += " r" + std::to_string(in.a) + " {" + std::to_string(in.min) + "," + std::to_string(in.max) +
                   (in.greedy ? "} " : "}? ") + std::to_string(in.x) + ", " + std::to_string(in.y);
            break;
        case TZefReOp::LoopEnd: out += ' ' + std::to_string(in.x); break;
        default: break;
        }
        out += '\n';
    }
    return out;
}
