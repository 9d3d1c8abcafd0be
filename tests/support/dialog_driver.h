// Drives the real dialogs in tests: the next request for a modal editor gets
// the real dialog, which the test acts on once it is shown, finding its
// controls by name and typing into them.
#pragma once

#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The next request for AClassName gets the real dialog; AWhileOpen acts on it
// once it is shown and must close it (one left open fails the test).
template <class TEditor>
void WhileDialogOpen(const QString& AClassName, std::function<void(TEditor*)> AWhileOpen)
{
    TestEnv::Dialogs().ProvideEditor(AClassName, [AWhileOpen]() -> std::unique_ptr<ISCModalEditor> {
        auto editor = std::make_unique<TEditor>();
        TEditor* dialog = editor.get();
        QTimer::singleShot(0, dialog, [dialog, AWhileOpen] {
            QApplication::setActiveWindow(dialog);
            AWhileOpen(dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->QDialog::done(QDialog::Rejected);
            }
        });
        return editor;
    });
}

// A control of a dialog by its name; a missing one fails the test.
template <class T>
T* Find(QWidget* ADialog, const char* AName)
{
    T* widget = ADialog->findChild<T*>(QString::fromLatin1(AName));
    EXPECT_NE(widget, nullptr) << AName;
    return widget;
}

// Replaces the text of a line edit by typing, with the focus in it.
inline void TypeInto(QLineEdit* AEdit, const QString& AText)
{
    AEdit->setFocus();
    AEdit->selectAll();
    // QTest knows keys only for ASCII; other letters come as typed text.
    for (const QChar ch : AText)
        if (ch.unicode() < 0x80)
            QTest::keyClick(AEdit, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, AEdit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Types into a field of a dialog and leaves it with Enter.
inline void Type(QWidget* ADialog, const char* AField, const QString& AText)
{
    auto* edit = ADialog->findChild<QLineEdit*>(QString::fromLatin1(AField));
    ASSERT_NE(edit, nullptr) << AField;
    TypeInto(edit, AText);
    QTest::keyClick(edit, Qt::Key_Return);
}
