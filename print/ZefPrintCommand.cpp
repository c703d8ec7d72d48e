// Argument parsing and the run of zefraprint.
#include "ZefPrintCommand.h"

#include "CodePage1252.h"
#include "ZefEditPrint.h"
#include "ZefEditTextBuffer.h"
#include "ZefPdfPrintTarget.h"
#include "ZefPrintDefaults.h"
#include "uHighlighterProcs.h"
#include "ZefHighlighterRegistry.h"

#include <QDateTime>
#include <QPageSize>

#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "Usage: zefraprint [options] FILE -o OUT.pdf\n"
    "Prints the text file FILE to the PDF file OUT.pdf, laid out as the editor prints it.\n"
    "\n"
    "Output:\n"
    "  -o, --output OUT.pdf     the PDF file to write (needed unless --info is given)\n"
    "  --info                   print the layout (pages, columns, rows per page, ...) and write no PDF\n"
    "Paper:\n"
    "  --paper NAME             A4 (default), A3, A5, B5, Letter, Legal, Executive, ...\n"
    "  --landscape, --portrait  orientation (default portrait)\n"
    "  --resolution DPI         device resolution in dots per inch (default 300)\n"
    "Text:\n"
    "  --font NAME              text font (default \"Courier New\")\n"
    "  --size POINTS            text font size (default 10)\n"
    "  --tab-width N            columns per tab stop, 1..256 (default 8)\n"
    "  --no-wrap                cut long lines at the right margin instead of wrapping them\n"
    "  --line-numbers           print line numbers beside the text\n"
    "  --line-numbers-in-margin put the line numbers into the left margin\n"
    "  --highlighter NAME       highlight as language NAME (e.g. HTML)\n"
    "  --extension EXT          highlight as the language of files ending in EXT (e.g. .html)\n"
    "                           (default: the language of FILE's extension)\n"
    "  --no-highlight           print plain text\n"
    "  --colors                 print token colours (default: black text, styles only)\n"
    "Margins (VALUE is a number with an optional unit mm, cm, in or thou; default mm):\n"
    "  --left VALUE, --right VALUE, --top VALUE, --bottom VALUE, --gutter VALUE\n"
    "  --header-margin VALUE, --footer-margin VALUE   paper edge to header / footer\n"
    "  --mirror-margins         swap left and right margins on even pages\n"
    "Header and footer (replace the built-in texts; repeat for more items):\n"
    "  --header SECTION:ROW:TEXT   SECTION is left, center or right; ROW counts from 1\n"
    "  --footer SECTION:ROW:TEXT   TEXT may hold $PAGENUM$, $PAGECOUNT$, $TITLE$, $DATE$, $TIME$,\n"
    "                              $DATETIME$ and $TIMEDATE$\n"
    "  --no-header, --no-footer    print no header / no footer\n"
    "  --roman                     page numbers in Roman numerals\n"
    "  --title TEXT                the $TITLE$ and the document's title (default: FILE's name)\n"
    "  --now YYYY-MM-DDTHH:MM:SS   the date and time the macros show (default: now)\n"
    "Job:\n"
    "  --pages RANGE            N, N-M, N- or -M (default: all pages)\n"
    "  --copies N               copies of the range (default 1)\n"
    "  --no-collate             print each page N times in a row instead of N whole sets\n"
    "  -h, --help               show this text\n"
    "\n"
    "Exit codes: 0 done, 2 bad usage, 3 FILE cannot be read, 4 the margins leave no room for text,\n"
    "5 the page range holds no page, 6 the PDF file cannot be written.\n";

std::string Bytes(const QString& text) { return cp1252::FromUtf16(text.toStdU16String()); }

struct THeaderFooterText {
    TZefAlignment Alignment = taLeftJustify;
    int Row = 1;
    std::string Text;
};

struct TOptions {
    QString input;
    QString output;
    bool info = false;
    bool help = false;
    QPageSize paper{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int resolution = 300;
    TZefPrintFont font{"Courier New", 10, 0, clBlack};
    int tabWidth = 8;
    bool wrap = true;
    bool lineNumbers = false;
    bool lineNumbersInMargin = false;
    std::optional<std::string> highlighterName;
    std::optional<std::string> extension;
    bool highlight = true;
    bool colors = false;
    std::vector<std::pair<void (TZefEditPrintMargins::*)(double), double>> margins;
    bool mirrorMargins = false;
    std::optional<std::vector<THeaderFooterText>> header;
    std::optional<std::vector<THeaderFooterText>> footer;
    bool roman = false;
    std::optional<std::string> title;
    std::optional<QDateTime> now;
    int firstPage = 1;
    int lastPage = -1;
    int copies = 1;
    bool collate = true;
};

class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool ParseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

int IntOption(const std::string& name, const std::string& text, int low, int high)
{
    int value = 0;
    if (!ParseInt(text, value) || value < low || value > high)
        throw EUsage(name + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", not \"" + text + "\".");
    return value;
}

// A distance with an optional unit, in millimetres.
double Distance(const std::string& name, const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    const std::string unit(ptr, end);
    TUnitSystem system = usMM;
    bool known = true;
    if (unit.empty() || unit == "mm") system = usMM;
    else if (unit == "cm") system = usCM;
    else if (unit == "in" || unit == "inch" || unit == "\"") system = usInch;
    else if (unit == "thou" || unit == "mil") system = muThousandthsOfInches;
    else known = false;
    if (ec != std::errc() || ptr == text.data() || !known || value < 0 || value > 100000)
        throw EUsage(name + " needs a distance such as 25, 25mm, 2.5cm, 1in or 1000thou, not \"" + text + "\".");
    return TZefEditPrintMargins::ToMM(value, system);
}

THeaderFooterText SectionText(const std::string& name, const std::string& text)
{
    const size_t colon1 = text.find(':');
    const size_t colon2 = colon1 == std::string::npos ? std::string::npos : text.find(':', colon1 + 1);
    if (colon2 == std::string::npos) throw EUsage(name + " needs SECTION:ROW:TEXT, not \"" + text + "\".");
    THeaderFooterText item;
    const std::string section = text.substr(0, colon1);
    if (section == "left") item.Alignment = taLeftJustify;
    else if (section == "center" || section == "centre") item.Alignment = taCenter;
    else if (section == "right") item.Alignment = taRightJustify;
    else throw EUsage(name + ": the section is left, center or right, not \"" + section + "\".");
    item.Row = IntOption(name + " ROW", text.substr(colon1 + 1, colon2 - colon1 - 1), 1, 1000);
    item.Text = text.substr(colon2 + 1);
    return item;
}

void PageRange(const std::string& text, TOptions& options)
{
    const size_t dash = text.find('-');
    if (dash == std::string::npos) {
        options.firstPage = options.lastPage = IntOption("--pages", text, 1, INT_MAX);
        return;
    }
    const std::string from = text.substr(0, dash);
    const std::string to = text.substr(dash + 1);
    if (from.empty() && to.empty()) throw EUsage("--pages needs N, N-M, N- or -M.");
    options.firstPage = from.empty() ? 1 : IntOption("--pages", from, 1, INT_MAX);
    options.lastPage = to.empty() ? -1 : IntOption("--pages", to, 1, INT_MAX);
}

QPageSize Paper(const std::string& name)
{
    static const std::pair<const char*, QPageSize::PageSizeId> kPapers[] = {
        {"a3", QPageSize::A3}, {"a4", QPageSize::A4}, {"a5", QPageSize::A5}, {"a6", QPageSize::A6},
        {"b4", QPageSize::B4}, {"b5", QPageSize::B5}, {"letter", QPageSize::Letter}, {"legal", QPageSize::Legal},
        {"executive", QPageSize::Executive}, {"tabloid", QPageSize::Tabloid},
    };
    std::string lower;
    for (char c : name) lower += static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    for (const auto& [paperName, id] : kPapers) {
        if (lower == paperName) return QPageSize(id);
    }
    throw EUsage("--paper: unknown paper \"" + name + "\" (A3, A4, A5, A6, B4, B5, Letter, Legal, Executive, Tabloid).");
}

TOptions Parse(const QStringList& arguments)
{
    TOptions options;
    std::vector<QString> files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const std::string name = Bytes(argument);
        const auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size()) throw EUsage(name + " needs a value.");
            return Bytes(arguments[++i]);
        };
        const auto margin = [&](void (TZefEditPrintMargins::*setter)(double)) {
            options.margins.emplace_back(setter, Distance(name, value()));
        };
        if (name == "-h" || name == "--help") options.help = true;
        else if (name == "-o" || name == "--output") options.output = QString::fromStdU16String(cp1252::ToUtf16(value()));
        else if (name == "--info") options.info = true;
        else if (name == "--paper") options.paper = Paper(value());
        else if (name == "--landscape") options.orientation = QPageLayout::Landscape;
        else if (name == "--portrait") options.orientation = QPageLayout::Portrait;
        else if (name == "--resolution") options.resolution = IntOption(name, value(), 72, 2400);
        else if (name == "--font") options.font.Name = value();
        else if (name == "--size") {
            const std::string text = value();
            double size = 0;
            auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), size);
            if (ec != std::errc() || ptr != text.data() + text.size() || size < 1 || size > 1000)
                throw EUsage("--size needs a point size from 1 to 1000, not \"" + text + "\".");
            options.font.Size = size;
        }
        else if (name == "--tab-width") options.tabWidth = IntOption(name, value(), 1, 256);
        else if (name == "--no-wrap") options.wrap = false;
        else if (name == "--line-numbers") options.lineNumbers = true;
        else if (name == "--line-numbers-in-margin") options.lineNumbers = options.lineNumbersInMargin = true;
        else if (name == "--highlighter") options.highlighterName = value();
        else if (name == "--extension") options.extension = value();
        else if (name == "--no-highlight") options.highlight = false;
        else if (name == "--colors") options.colors = true;
        else if (name == "--left") margin(&TZefEditPrintMargins::SetLeft);
        else if (name == "--right") margin(&TZefEditPrintMargins::SetRight);
        else if (name == "--top") margin(&TZefEditPrintMargins::SetTop);
        else if (name == "--bottom") margin(&TZefEditPrintMargins::SetBottom);
        else if (name == "--gutter") margin(&TZefEditPrintMargins::SetGutter);
        else if (name == "--header-margin") margin(&TZefEditPrintMargins::SetHeader);
        else if (name == "--footer-margin") margin(&TZefEditPrintMargins::SetFooter);
        else if (name == "--mirror-margins") options.mirrorMargins = true;
        else if (name == "--header") {
            if (!options.header) options.header.emplace();
            options.header->push_back(SectionText(name, value()));
        } else if (name == "--footer") {
            if (!options.footer) options.footer.emplace();
            options.footer->push_back(SectionText(name, value()));
        } else if (name == "--no-header") options.header.emplace();
        else if (name == "--no-footer") options.footer.emplace();
        else if (name == "--roman") options.roman = true;
        else if (name == "--title") options.title = value();
        else if (name == "--now") {
            const std::string text = value();
            QDateTime when = QDateTime::fromString(QString::fromLatin1(text.c_str()), Qt::ISODate);
            if (!when.isValid()) throw EUsage("--now needs a date and time such as 2024-05-01T13:45:00, not \"" + text + "\".");
            options.now = when;
        } else if (name == "--pages") PageRange(value(), options);
        else if (name == "--copies") options.copies = IntOption(name, value(), 1, 999);
        else if (name == "--no-collate") options.collate = false;
        else if (name.size() > 1 && name[0] == '-') throw EUsage("Unknown option \"" + name + "\".");
        else files.push_back(argument);
    }
    if (options.help) return options;
    if (files.size() != 1) throw EUsage(files.empty() ? "No input file was given." : "Only one input file can be printed.");
    options.input = files.front();
    if (!options.info && options.output.isEmpty()) throw EUsage("No output file was given (-o OUT.pdf).");
    return options;
}

void ApplyItems(THeaderFooter& block, const std::vector<THeaderFooterText>& items)
{
    block.Clear();
    for (const THeaderFooterText& item : items) block.Add(item.Text, nullptr, item.Alignment, item.Row);
}

TZefCustomHighlighter* ChooseHighlighter(const TOptions& options, const std::vector<TZefCustomHighlighter*>& all,
                                         std::string& error)
{
    if (options.highlighterName) {
        std::string wanted;
        for (char c : *options.highlighterName) wanted += static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
        for (TZefCustomHighlighter* highlighter : all) {
            std::string name;
            for (char c : highlighter->GetLanguageName()) name += static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
            if (name == wanted) return highlighter;
        }
        error = "No highlighter is named \"" + *options.highlighterName + "\".";
        return nullptr;
    }
    THighlighterList list;
    CollectHighlighters(&all, &list, false);
    std::string extension = options.extension ? *options.extension : ExtractFileExt(Bytes(options.input));
    if (!extension.empty() && extension[0] != '.') extension.insert(extension.begin(), '.');
    return FindHighlighterByExt(&list, extension);
}

} // namespace

const char* ZefraPrintUsage() { return kUsage; }

int RunZefraPrint(const QStringList& arguments, std::ostream& out, std::ostream& err)
{
    TOptions options;
    try {
        options = Parse(arguments);
    } catch (const EUsage& error) {
        err << "zefraprint: " << error.what() << "\nTry \"zefraprint --help\".\n";
        return peUsage;
    }
    if (options.help) {
        out << kUsage;
        return peOk;
    }

    TZefEditStringList lines;
    try {
        lines.LoadFromFile(Bytes(options.input));
    } catch (const std::exception& error) {
        err << "zefraprint: " << error.what() << "\n";
        return peInput;
    }

    const std::vector<std::unique_ptr<TZefCustomHighlighter>> owned = ZefCreateHighlighters();
    std::vector<TZefCustomHighlighter*> all;
    for (const auto& highlighter : owned) all.push_back(highlighter.get());
    std::string highlighterError;
    TZefCustomHighlighter* highlighter = options.highlight ? ChooseHighlighter(options, all, highlighterError) : nullptr;
    if (!highlighterError.empty()) {
        err << "zefraprint: " << highlighterError << "\n";
        return peUsage;
    }

    TZefEditPrint engine;
    ApplyPrintWindowDefaults(engine);
    engine.SetColors(options.colors);
    engine.SetHighlight(options.highlight);
    engine.AssignFromEditor(lines, options.tabWidth, highlighter, options.font);
    engine.SetWrap(options.wrap);
    engine.SetLineNumbers(options.lineNumbers);
    engine.SetLineNumbersInMargin(options.lineNumbersInMargin);
    for (const auto& [setter, millimetres] : options.margins) (engine.Margins().*setter)(millimetres);
    engine.Margins().SetMirrorMargins(options.mirrorMargins);
    if (options.header) ApplyItems(engine.Header(), *options.header);
    if (options.footer) ApplyItems(engine.Footer(), *options.footer);
    engine.Header().SetRomanNumbers(options.roman);
    engine.Footer().SetRomanNumbers(options.roman);
    const std::string inputName = Bytes(options.input);
    engine.SetTitle(options.title ? *options.title : inputName.substr(inputName.find_last_of('/') + 1));
    if (options.now) {
        const QDateTime now = *options.now;
        engine.SetClock([now] { return now; });
    }
    engine.SetCopies(options.copies);
    engine.SetCollate(options.collate);

    TZefPdfPrintTarget target(options.output, options.paper, options.orientation, options.resolution);
    engine.SetPrinterInfo(target.Metrics());
    if (!engine.PreparePages()) {
        err << "zefraprint: " << engine.Layout().Error << "\n";
        return peNoRoom;
    }
    const TZefPrintLayout& layout = engine.Layout();
    const int pageCount = engine.PageCount();
    if (options.info) {
        out << "pages: " << pageCount << "\n"
            << "lines: " << engine.LineCount() << "\n"
            << "columns: " << layout.Columns << "\n"
            << "rows per page: " << layout.RowsPerPage << "\n"
            << "char width: " << layout.CharWidth << "\n"
            << "row height: " << layout.RowHeight << "\n"
            << "resolution: " << layout.PixelsPerInch << "\n"
            << "paper: " << layout.Printer.PhysicalWidth() << " x " << layout.Printer.PhysicalHeight() << "\n"
            << "highlighter: " << (highlighter && options.highlight ? highlighter->GetLanguageName() : "none") << "\n";
        return peOk;
    }
    const int last = options.lastPage < 0 ? pageCount : options.lastPage;
    if (options.firstPage > pageCount || options.firstPage > last) {
        err << "zefraprint: the document has " << pageCount << (pageCount == 1 ? " page" : " pages")
            << "; the range " << options.firstPage << "-" << (options.lastPage < 0 ? std::string() : std::to_string(last))
            << " holds none of them.\n";
        return peEmptyRange;
    }
    const TZefPrintResult result = engine.PrintRange(target, options.firstPage, options.lastPage);
    if (!result.Ok) {
        err << "zefraprint: " << result.Message << "\n";
        return peOutput;
    }
    return peOk;
}
