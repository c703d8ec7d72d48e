// The page setup dialog's entry points.
#include "ZefPageSetup.h"

#include "DPageSetup.h"
#include "ZefDesktop.h"
#include "ZefSettingsStore.h"

#include <QCheckBox>

bool ZefRunPageSetup(TZefEditPrint& engine, QWidget* parent, const QString& headFootFolder)
{
    TPageSetupDlg dialog(parent, headFootFolder);
    dialog.FillFromEngine(engine);
    if (ZefDesktop().ExecDialog(dialog) != QDialog::Accepted) return false;
    return dialog.ApplyToEngine(engine);
}

bool ZefLoadKeptHeaderFooter(TZefEditPrint& engine, const TZefSettingsStore& settings, const QString& headFootFolder)
{
    const std::optional<std::string> keep = settings.ReadString(kZefSettingsKey, kZefCheckKeepText);
    if (!keep || *keep != "1") return false;
    TPageSetupDlg dialog(nullptr, headFootFolder);
    dialog.chkKeepText->setChecked(true);
    dialog.FillFromEngine(engine);
    if (!dialog.LoadHeadFoot()) return false;
    return dialog.ApplyToEngine(engine);
}
