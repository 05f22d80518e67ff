#pragma once
#include <QWidget>
#include <vector>

#include "core/design_state.h"
#include "stages/stage_tables.h"

class QCheckBox;

namespace tavrel::ui {

class ColumnList;

// The pole-zero pairing window: the available poles and zeros, the stages formed from
// them, joining and undoing.
class TfmPairs : public QWidget {
    Q_OBJECT
public:
    TfmPairs(DesignState& state, StageTables& tables, QWidget* parent = nullptr);

    // Shows the window with the lists as the tables hold them.
    void Open();
    // The three lists from the tables (also after a change of units).
    void Redisplay();

    ColumnList* Poles() const { return poles_; }
    ColumnList* Zeros() const { return zeros_; }
    ColumnList* Pairs() const { return pairs_; }

public slots:
    void Add();
    void AutoAddAll();
    void Undo();
    void UndoAll();
    void Next();

signals:
    // Pairing is complete and Next was accepted (with automatic cascading the stages
    // are cascaded already).
    void pairingFinished();
    void backClicked();
    void closeClicked();
    void helpClicked();
    // " Hide this window next time" was switched.
    void hideNextTime(bool hide);
    // The stages changed.
    void stagesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DesignState& state_;
    StageTables& tables_;
    ColumnList *poles_, *zeros_, *pairs_;
    QCheckBox* hide_;
    std::vector<int> poleEntries_, zeroEntries_;  // the entry of each listed line
};

}  // namespace tavrel::ui
