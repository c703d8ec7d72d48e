// The formatter's run over the lines. The lines after the visited one are always lines of the input not yet
// visited (a split line's rest is visited next), so they are read straight from the input vector and the
// output grows only at its end: no line is ever inserted into or removed from the middle of a list.
#include "ZefTextFormatter.h"

#include "ZefFormatLine.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t TabSpaces = 8;
// Columns 1..40 never end a split line at a break character.
constexpr std::size_t BreakWindowStart = 40;

bool IsBreakChar(char c)
{
    switch (c) {
    case ' ': case '<': case '>': case ',': case ';': case '.': case '/':
    case '?': case ':': case '"': case '|': case '\\': case '!':
        return true;
    default:
        return false;
    }
}

// Empty or spaces only; a tab is not a blank here.
bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// Leading blanks and control characters.
std::size_t LeadingControlAndBlanks(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && static_cast<unsigned char>(text[n]) <= ' ')
        ++n;
    return n;
}

void ExpandLeadingTabs(TZefFormatLine& line)
{
    const std::string_view text = line.Text();
    std::size_t tabs = 0;
    while (tabs < text.size() && text[tabs] == '\t')
        ++tabs;
    if (tabs == 0)
        return;
    line.DropFront(tabs);
    line.Prepend(tabs * TabSpaces, ' ');
}

// Where a line longer than max is cut: after the rightmost break character in columns 41..max, else after
// column max. A cut whose first part would be only blanks is moved to max; 0 when the first max characters
// are all blanks (the line is then left as it is).
std::size_t CutPosition(std::string_view text, std::size_t max)
{
    std::size_t cut = max;
    for (std::size_t k = max; k > BreakWindowStart; --k)
        if (IsBreakChar(text[k - 1])) {
            cut = k;
            break;
        }
    if (IsBlank(text.substr(0, cut)))
        cut = IsBlank(text.substr(0, max)) ? 0 : max;
    return cut;
}

// 1-based position of the count-th occurrence of c in text, 0 when there are fewer.
std::size_t NthPosition(std::string_view text, char c, std::size_t count)
{
    for (std::size_t k = 0; k < text.size(); ++k)
        if (text[k] == c && --count == 0)
            return k + 1;
    return 0;
}

class TFormatRun {
public:
    TFormatRun(std::vector<std::string>&& lines, const TZefFormatSettings& settings)
        : in_(std::move(lines)), settings_(settings), plus_(settings.Style == TZefFormatStyle::fsGeneralPlus)
    {
        out_.reserve(in_.size());
    }

    TZefFormatResult Run(const TZefFormatProgress& progress)
    {
        TZefFormatResult result;
        int lineNumber = 0;
        while (pending_ || next_ < in_.size()) {
            ++lineNumber;
            if (progress && !progress(lineNumber, LineCount())) {
                result.Stopped = true;
                break;
            }
            if (!VisitLine())
                break;
        }
        if (pending_)
            out_.push_back(line_.Release());
        for (std::size_t k = next_; k < in_.size(); ++k)
            out_.push_back(std::move(in_[k]));
        result.Lines = std::move(out_);
        return result;
    }

private:
    int LineCount() const
    {
        return static_cast<int>(out_.size() + (pending_ ? 1 : 0) + (in_.size() - next_));
    }

    // Answers false when blank-line compression removed the visited line and everything after it.
    bool VisitLine()
    {
        if (!pending_)
            line_.Assign(std::move(in_[next_++]));
        pending_ = false;
        ExpandLeadingTabs(line_);
        if (settings_.DeleteEmptyLines) {
            if (!CompressBlankLines())
                return false;
            // A line that moved up into the place of removed blank lines is expanded like every other.
            ExpandLeadingTabs(line_);
        }
        if (plus_ && settings_.SpacesBeforeAll > 0)
            line_.Prepend(settings_.SpacesBeforeAll, ' ');
        const std::size_t max = settings_.MaxLineLength;
        if (max == 0) {
            out_.push_back(line_.Release());
            return true;
        }
        if (line_.Length() <= max) {
            indent_ = 0;
            out_.push_back(line_.Release());
            return true;
        }
        const std::size_t cut = CutPosition(line_.Text(), max);
        if (cut == 0) {
            indent_ = 0;
            out_.push_back(line_.Release());
            return true;
        }
        std::string first = line_.TakeFront(cut);
        if (plus_) {
            IndentContinuation(first);
            JoinParagraph();
        }
        out_.push_back(std::move(first));
        pending_ = true;
        return true;
    }

    // Cuts a run of blank lines starting at the visited line down to MaxEmptyLines lines. The lines after
    // the visited one are compared as they are (their tabs not yet expanded).
    bool CompressBlankLines()
    {
        if (!IsBlank(line_.Text()))
            return true;
        const std::size_t keep = settings_.MaxEmptyLines;
        if (keep == 0) {
            // The visited line goes too; the first line that is not blank takes its place.
            for (;;) {
                if (next_ >= in_.size())
                    return false;
                line_.Assign(std::move(in_[next_++]));
                if (!IsBlank(line_.Text()))
                    return true;
            }
        }
        // The visited line and the keep - 1 input lines after it must all be blank.
        const std::size_t firstRemovable = next_ + keep - 1;
        if (firstRemovable > in_.size())
            return true;
        for (std::size_t k = next_; k < firstRemovable; ++k)
            if (!IsBlank(in_[k]))
                return true;
        std::size_t removed = 0;
        while (firstRemovable + removed < in_.size() && IsBlank(in_[firstRemovable + removed]))
            ++removed;
        if (removed > 0) {
            // Shift the kept blank lines over the removed ones instead of erasing from the middle.
            for (std::size_t k = firstRemovable; k > next_; --k)
                in_[k - 1 + removed] = std::move(in_[k - 1]);
            next_ += removed;
        }
        return true;
    }

    void IndentContinuation(std::string_view first)
    {
        if (!settings_.AlignChar.empty() && settings_.AlignCount > 0) {
            if (indent_ == 0) {
                indent_ = NthPosition(first, settings_.AlignChar.front(), settings_.AlignCount);
                if (indent_ == 0)
                    return;
            }
            line_.DropFront(LeadingControlAndBlanks(line_.Text()));
            line_.Prepend(indent_, ' ');
        } else if (settings_.SpacesBeforeNew > 0) {
            line_.Prepend(settings_.SpacesBeforeNew, ' ');
        }
    }

    // The rest of a split line takes the next line of its paragraph; an empty line ends the paragraph.
    void JoinParagraph()
    {
        if (!settings_.JoinParagraphs || next_ >= in_.size() || in_[next_].empty())
            return;
        line_.Append(" ");
        line_.Append(in_[next_]);
        std::string().swap(in_[next_]);
        ++next_;
    }

    std::vector<std::string> in_;
    std::vector<std::string> out_;
    const TZefFormatSettings& settings_;
    const bool plus_;
    std::size_t next_ = 0;
    TZefFormatLine line_;
    // The visited line is the rest of a split line, not yet taken from the input.
    bool pending_ = false;
    // The continuation indent in spaces; 0 is "empty".
    std::size_t indent_ = 0;
};

} // namespace

TZefFormatResult ZefFormatLines(std::vector<std::string> lines, const TZefFormatSettings& settings,
                                const TZefFormatProgress& progress)
{
    return TFormatRun(std::move(lines), settings).Run(progress);
}
