#include "pages/CountShown.h"

#include <QLabel>

#include <cstdint>
#include <optional>
#include <utility>

#include "core/FileNames.h"
#include "pages/WalksOnPool.h"

CountShown::CountShown(QLabel* label, std::string what) : label_(label), what_(std::move(what)) {
    if (!label_) return;
    before_ = label_->text();
    label_->setText(QString::fromStdString(what_ + " ..."));
    MarkPending();
}

CountShown::~CountShown() {
    if (label_) label_->setText(before_);
}

void CountShown::FlushChanges() {
    const std::optional<std::uint64_t> files = CountHold::FilesSoFar();
    if (!label_ || !files) return;
    label_->setText(QString::fromStdString(what_ + ": " + UInt64ToStr(*files) + " files so far ..."));
    MarkPending();  // again at the next showing, to the end of the count
}
