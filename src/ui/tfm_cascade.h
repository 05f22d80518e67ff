#pragma once
#include <QWidget>

#include "core/design_state.h"
#include "stages/stage_tables.h"

class QCheckBox;
class QListWidget;

namespace tavrel::ui {

class ColumnList;

// The stage cascading window: the stages in cascade order with their flatness, moving
// them by hand and ordering them automatically.
class TfmCascade : public QWidget {
    Q_OBJECT
public:
    TfmCascade(DesignState& state, StageTables& tables, QWidget* parent = nullptr);

    // Shows the window; after a new or changed pairing the stages are cascaded anew.
    void Open();
    void Redisplay();

    ColumnList* Pairs() const { return pairs_; }
    QListWidget* Flatness() const { return flatness_; }

public slots:
    void Up();
    void Down();
    void Cascade();

signals:
    void backClicked();
    void closeClicked();
    void helpClicked();
    void criteriaClicked();
    void hideNextTime(bool hide);
    void stagesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Move(int (*move)(DesignState&, StageTables&, int));

    DesignState& state_;
    StageTables& tables_;
    ColumnList* pairs_;
    QListWidget* flatness_;
    QCheckBox* hide_;
};

}  // namespace tavrel::ui
