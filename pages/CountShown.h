// A count of the window thread said on the page while it walks.
#pragma once

#include <QString>
#include <string>

#include "results/ResultsList.h"

class QLabel;

// While a count of the window thread walks: `label` says so, with the
// files the count has taken so far (CountHold::FilesSoFar), each time the
// run's pace shows the window; its own text comes back at the end.
class CountShown : public results::PendingChanges {
public:
    CountShown(QLabel* label, std::string what);
    ~CountShown() override;
    void FlushChanges() override;

private:
    QLabel* label_;
    std::string what_;
    QString before_;
};
