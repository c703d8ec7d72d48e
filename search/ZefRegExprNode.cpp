// Width analysis and text dump of the regular-expression node tree.
#include "ZefRegExprNode.h"

bool TZefReNode::HasWidth() const
{
    switch (kind) {
    case TZefReNodeKind::Literal:
    case TZefReNodeKind::Set:
    case TZefReNodeKind::Any:
    case TZefReNodeKind::BackRef:
        return true;
    case TZefReNodeKind::Group:
        return children[0]->HasWidth();
    case TZefReNodeKind::Alternation:
        for (const auto& child : children) {
            if (!child->HasWidth()) return false;
        }
        return !children.empty();
    case TZefReNodeKind::Concat:
        for (const auto& child : children) {
            if (child->HasWidth()) return true;
        }
        return false;
    case TZefReNodeKind::Repeat:
        return min > 0 && children[0]->HasWidth();
    default:
        return false;
    }
}

bool TZefReNode::MayBeEmpty() const
{
    switch (kind) {
    case TZefReNodeKind::Literal:
    case TZefReNodeKind::Set:
    case TZefReNodeKind::Any:
        return false;
    case TZefReNodeKind::Group:
        return children[0]->MayBeEmpty();
    case TZefReNodeKind::Alternation:
        for (const auto& child : children) {
            if (child->MayBeEmpty()) return true;
        }
        return children.empty();
    case TZefReNodeKind::Concat:
        for (const auto& child : children) {
            if (!child->MayBeEmpty()) return false;
        }
        return true;
    case TZefReNodeKind::Repeat:
        return min == 0 || children[0]->MayBeEmpty();
    default:
        return true;
    }
}

bool TZefReNode::IsSingleByte() const
{
    return kind == TZefReNodeKind::Literal || kind == TZefReNodeKind::Set || kind == TZefReNodeKind::Any;
}

std::string TZefReNode::Dump() const
{
    auto list = [this](const char* name) {
        std::string out = name;
        out += '(';
        for (size_t i = 0; i < children.size(); ++i) {
            if (i) out += ' ';
            out += children[i]->Dump();
        }
        return out + ')';
    };
    switch (kind) {
    case TZefReNodeKind::Empty: return "empty";
    case TZefReNodeKind::Literal: {
        TZefRegExprCharSet one;
        one.Add(ch);
        return std::string(ignoreCase ? "lit/i(" : "lit(") + one.Describe() + ")";
    }
    case TZefReNodeKind::Set: return "set(" + set.Describe() + ")";
    case TZefReNodeKind::Any: return "any";
    case TZefReNodeKind::LineStart: return multiLine ? "bol/m" : "bol";
    case TZefReNodeKind::LineEnd: return multiLine ? "eol/m" : "eol";
    case TZefReNodeKind::InputStart: return "\\A";
    case TZefReNodeKind::InputEnd: return "\\Z";
    case TZefReNodeKind::WordBoundary: return "\\b";
    case TZefReNodeKind::NotWordBoundary: return "\\B";
    case TZefReNodeKind::BackRef: return (ignoreCase ? "ref/i" : "ref") + std::to_string(number);
    case TZefReNodeKind::Group: return "group" + std::to_string(number) + "(" + children[0]->Dump() + ")";
    case TZefReNodeKind::Alternation: return list("alt");
    case TZefReNodeKind::Concat: return list("cat");
    case TZefReNodeKind::Repeat:
        return "rep{" + std::to_string(min) + "," + std::to_string(max) + (greedy ? ",g}(" : ",l}(") +
               children[0]->Dump() + ")";
    }
    return "?";
}
