// The band across the top of a schedule screen: the logo at the left, the
// caption and the date in large bold type, and under them the note band with
// the company notes of the settings, the edit-notes button at its right end
// and the banner that stands in while both notes are empty.
#pragma once

#include "ui/view_guard.h"

#include "ui/view_actions.h"

#include <QWidget>

class QLabel;
class QToolButton;
class TFrameInfo;
class TObject;

class TTopBand : public QWidget {
    Q_OBJECT
public:
    // The band "PanelTop" of AParent. ALogo, 70 by 70 at the left, is the
    // logo picture (a label, or a button back to the daily schedule); the
    // note band's button runs AEditNotes.
    TTopBand(QWidget* AParent, QWidget* ALogo, const QString& ACaption, QAction* AEditNotes);
    ~TTopBand() override;

    // The edit-notes action, "ActionEditNotes", triggering AHandler of AOwner.
    template <class TOwner>
    static QAction* NewEditNotesAction(TOwner* AOwner, void (TOwner::*AHandler)())
    {
        QAction* action
            = NewAction(AOwner, AHandler, QStringLiteral("ActionEditNotes"), EditNotesHint(), EditNotesHint());
        SetEditNotesIcon(action);
        return action;
    }

    QLabel* LabelCaption() const { return LabelTopCaption; }
    QLabel* LabelDate() const { return LabelTopDate; }

    // A notice from none, the settings or their General group: the logo and
    // the note lines are shown anew as AValueName says (empty for all), and
    // the banner stands in exactly while both note lines are empty.
    void SetupChanged(TObject* ASender, const QString& AValueName);
    // The mark beside the date that workers are planned while away, with
    // ALines (one per worker) as its tool tip; hidden while there are none.
    void SetAbsenceMark(const QStringList& ALines);
    QWidget* AbsenceMark() const { return PanelTopMark; }

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    static QString EditNotesHint();
    static void SetEditNotesIcon(QAction* AAction);
    // The button at the note band's right end, the banner directly left of it.
    void PanelTopNoteResize();

    QWidget* FLogo;
    QWidget* PanelTopClient;
    QLabel* LabelTopCaption;
    QLabel* LabelTopDate;
    QWidget* PanelTopMark;
    QLabel* LabelTopMark;
    QWidget* PanelTopNote;
    QLabel* LabelTopNote;
    QLabel* LabelTopSubnote;
    QToolButton* SBEditNotes;
    TFrameInfo* FrameInfo;
};
