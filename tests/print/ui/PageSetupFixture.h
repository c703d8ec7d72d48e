// Shared set-up of the page setup tests: a scripted desktop, a temporary folder for the saved texts, a fixed
// number locale, and an engine as the print window starts it.
#pragma once

#include "DPageSetup.h"
#include "ZefEditPrint.h"
#include "ZefPrintDefaults.h"
#include "ZefScriptedDesktop.h"

#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

struct PageSetupFixture : ::testing::Test {
    TZefScriptedDesktop desktop;
    TZefDesktopScope scope{desktop};
    QTemporaryDir temp;
    TZefEditPrint engine;
    QLocale previousLocale;

    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true); // the default folder of the saved texts is never the user's
        ASSERT_TRUE(temp.isValid());
        QLocale::setDefault(QLocale::c());
        ApplyPrintWindowDefaults(engine);
    }
    void TearDown() override { QLocale::setDefault(previousLocale); }

    QString Folder() const { return temp.filePath(QStringLiteral("Head And Foot")); }
};

inline TZefPrintFont PrintFont(const char* name, double size, int style, TColor color)
{
    return {name, size, static_cast<TFontStyles>(style), color};
}

inline std::string FontText(const TZefPrintFont& font)
{
    std::ostringstream out;
    out << font.Name << ' ' << font.Size << "pt style " << int(font.Style) << " colour " << std::hex << font.Color;
    return out.str();
}

// Every setting of a header or footer, its items in list order: one string to compare.
inline std::string BlockDump(const THeaderFooter& block)
{
    std::ostringstream out;
    out << "frames " << int(block.FrameTypes()) << " line " << std::hex << block.LineColor() << " shade "
        << block.ShadedColor() << std::dec << " mirror " << block.MirrorPosition() << " roman "
        << block.RomanNumbers() << " default " << FontText(block.DefaultFont()) << '\n';
    for (int i = 0; i < block.Count(); ++i) {
        const THeaderFooterItem& item = block.Items(i);
        out << "  row " << item.LineNumber << " align " << int(item.Alignment) << " '" << item.Text << "' "
            << FontText(item.Font) << '\n';
    }
    return out.str();
}

// Everything the dialog edits, exactly (margins as stored, in millimetres, to the last bit).
inline std::string EngineDump(TZefEditPrint& engine)
{
    std::ostringstream out;
    TZefEditPrintMargins mm;
    mm.Assign(engine.Margins());
    mm.SetUnitSystem(usMM);
    out.precision(17);
    out << "unit " << int(engine.Margins().UnitSystem()) << " mirror " << mm.MirrorMargins() << " margins";
    for (const TZefMarginField& field : kZefMarginFields) out << ' ' << (mm.*field.Get)();
    out << "\nnumbers " << engine.LineNumbers() << engine.LineNumbersInMargin() << " highlight "
        << engine.Highlight() << " colors " << engine.Colors() << " wrap " << engine.Wrap() << '\n';
    out << "header " << BlockDump(engine.Header()) << "footer " << BlockDump(engine.Footer());
    return out.str();
}
