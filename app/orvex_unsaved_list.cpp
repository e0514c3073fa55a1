// A changed objects list is not given up unasked: Quit, closing the last
// window and "Clear list" ask to save it first.
#include "orvex_obj_list.h"

#include "orvex_list.h"
#include "orvex_night.h"
#include "orvex_reply_text.h"
#include "orvex_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {

// The toolkit's rule: the event loop ends when a window without a visible
// parent closes and no other such window is left showing.
bool closing_ends_program(const QWidget *closing)
{
    if (!QApplication::quitOnLastWindowClosed() || !closing->testAttribute(Qt::WA_QuitOnClose))
        return false;
    const QWidget *parent = closing->parentWidget();
    if (parent && parent->isVisible())
        return false;
    for (const QWidget *top : QApplication::topLevelWidgets())
        if (top != closing && top->isVisible() && !top->parentWidget()
            && top->testAttribute(Qt::WA_QuitOnClose))
            return false;
    return true;
}

} // namespace

void Orvex_Obj_List::closeEvent(QCloseEvent *event)
{
    if (!window_may_close(this)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// The list, sky, About and Help windows report their closing here.
bool Orvex_Obj_List::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType()
        && !window_may_close(static_cast<QWidget *>(watched))) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Orvex_Obj_List::window_may_close(QWidget *window)
{
    return closing_all || !closing_ends_program(window)
           || list_may_go(List_leaving::quit, window);
}

void Orvex_Obj_List::close_windows(std::initializer_list<QWidget *> windows)
{
    // One question for all of them.
    if (!list_may_go(List_leaving::quit, this))
        return;
    const QScopedValueRollback<bool> settled(closing_all, true);
    for (QWidget *window : windows)
        window->close();
}

bool Orvex_Obj_List::list_may_go(List_leaving why, QWidget *parent)
{
    // An empty list cannot be saved, and loses nothing.
    if (!list_win->modified || obj_list->isEmpty())
        return true;
    const bool quitting = why == List_leaving::quit;
    const QString file = list_win->own_file;
    const QString text =
        (quitting ? tr("The objects list has changed since it was last read or saved. "
                       "Save it before quitting?")
                  : tr("The objects list has changed since it was last read or saved. "
                       "Save it before it is cleared?"))
        + QLatin1String("\n\n")
        + (file.isNull() ? tr("Save asks for a file name.")
                         : tr("Save writes it to %1.")
                               .arg(clip_for_display(blank_controls(QDir::toNativeSeparators(file)))));
    QMessageBox box(QMessageBox::Question, quitting ? tr("Quit") : tr("Clear list"), text,
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("orvex_unsaved_box"));
    make_plain(&box);
    night_box(&box);
    // Our own buttons and words: the toolkit's translations may be missing
    // on the machine, and it sets its standard buttons' texts again on a
    // language change.
    QPushButton *save = box.addButton(tr("Save"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("Discard"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard)
        return true;
    if (box.clickedButton() == save)
        return save_before_leaving(why, parent);
    return false;
}

// Save writes to the list's own file, as desktop programs do; a list without
// one asks for a name. Only a list that is on disc afterwards may go.
bool Orvex_Obj_List::save_before_leaving(List_leaving why, QWidget *parent)
{
    QString error;
    const QMetaObject::Connection heard = connect(
        list_win, &Orvex_list::file_error, this, [&error](const QString &message) { error = message; });
    if (list_win->own_file.isNull())
        list_win->save_list();
    else
        list_win->write_list_file(list_win->own_file);
    disconnect(heard);
    if (!list_win->modified)
        return true;
    // A cancelled file dialog needs no word; a failed save does, as the
    // window that would show it on its status bar may be gone.
    if (!error.isNull()) {
        QMessageBox box(QMessageBox::Warning, tr("Save list"),
                        clip_for_display(blank_controls(error), 2000) + QLatin1String("\n\n")
                            + (why == List_leaving::quit
                                   ? tr("The program stays open: the list is still unsaved.")
                                   : tr("The list is not cleared.")),
                        QMessageBox::NoButton, parent);
        box.setObjectName(QStringLiteral("orvex_unsaved_error_box"));
        make_plain(&box);
        night_box(&box);
        box.setEscapeButton(box.addButton(tr("OK"), QMessageBox::AcceptRole));
        box.exec();
    }
    return false;
}
