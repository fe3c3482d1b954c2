#include "windows/ListBoxSearch.h"

#include <QCollator>
#include <QLocale>

#include <optional>

namespace listsearch {

namespace {

// The collator of the user's locale, made again only when the locale
// changes. Qt compares code points in the "C" locale: a user who set no
// language gets the language-neutral order of the Unicode table instead.
struct LocaleCollator {
    QLocale locale;
    QCollator collator;
};

const QCollator& Collator() {
    static std::optional<LocaleCollator> current;
    const QLocale now;
    if (!current || current->locale != now) {
        QCollator collator(now.language() == QLocale::C ? QLocale(QLocale::English, QLocale::World) : now);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        current.emplace(LocaleCollator{now, std::move(collator)});
    }
    return current->collator;
}

}  // namespace

QCollatorSortKey OrderKey(const QString& text) { return Collator().sortKey(text); }

int CompareOrder(const QString& a, const QString& b) {
    if (const int c = Collator().compare(a, b); c != 0) return c;
    if (const int c = QString::compare(Key(a), Key(b)); c != 0) return c;
    return QString::compare(a, b);
}

}  // namespace listsearch
