// The real desktop: Qt's message boxes, input dialog, file, font and colour dialogs, the alert sound, the
// shell's "open" and QSoundEffect for WAV files.
#pragma once

#include "ZefDesktop.h"

#include <QPointer>

class QFileDialog;
class QSoundEffect;

// Gives a Qt file dialog the dialog's filters (matching names in any case) and selects the chosen one;
// answers the Qt name filters.
QStringList ZefApplyNameFilters(QFileDialog& fileDialog, const TZefFileDialog& dialog);

// Every modal call parents its dialog to the active window, so it opens centred over it. On the offscreen
// platform a modal call stops the process with a message naming the request (see RequireSomeoneToAnswer)
// rather than wait for an answer that cannot come. Not copyable: it
// owns the sound player, which lives as a child of the application object and dies with it.
class TZefQtDesktop : public TZefDesktop {
public:
    TZefQtDesktop() = default;
    ~TZefQtDesktop() override;
    TZefQtDesktop(const TZefQtDesktop&) = delete;
    TZefQtDesktop& operator=(const TZefQtDesktop&) = delete;

    void Beep(TZefBeepKind kind) override;
    TZefMsgButton ShowMessageBox(const TZefMessageBox& box) override;
    std::optional<QString> InputQuery(const QString& caption, const QString& prompt,
                                      const QString& initial) override;
    std::optional<TZefFileChoice> OpenFileDialog(const TZefFileDialog& dialog) override;
    std::optional<TZefFileChoice> SaveFileDialog(const TZefFileDialog& dialog) override;
    std::optional<QFont> FontDialog(const QString& caption, const QFont& initial) override;
    std::optional<QColor> ColorDialog(const QString& caption, const QColor& initial) override;
    bool ShellOpen(const QString& path) override;
    void PlaySoundAsync(const QString& wavPath) override;
    int ExecDialog(QDialog& dialog) override;
    bool SupportsClipboard(TZefClipboardMode mode) const override;
    bool SetClipboardData(TZefClipboardMode mode, QMimeData* data) override;
    const QMimeData* ClipboardData(TZefClipboardMode mode) override;

private:
    std::optional<TZefFileChoice> RunFileDialog(const TZefFileDialog& dialog, bool save);

    // One player: a new request stops the sound still playing, as the system's asynchronous player does.
    QPointer<QSoundEffect> player_;
};
