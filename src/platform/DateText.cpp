#include "DateText.h"

#include <QLocale>

namespace {
const QString kZeroDateText = QStringLiteral("12:00:00 AM");

QString ToQtPattern(const QString& pattern) {
    // Walks the pattern once: runs of d, m, y, h, n and s are fields, "AM/PM" is the marker,
    // everything else is copied as quoted literal text.
    QString out;
    QString literal;
    bool lastWasHour = false;
    auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            QString escaped = literal;
            escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
            out += QLatin1Char('\'') + escaped + QLatin1Char('\'');
            literal.clear();
        }
    };
    int i = 0;
    while (i < pattern.size()) {
        if (pattern.mid(i, 5).compare(QStringLiteral("AM/PM"), Qt::CaseInsensitive) == 0) {
            flushLiteral();
            out += QStringLiteral("AP");
            i += 5;
            continue;
        }
        const QChar c = pattern.at(i).toLower();
        if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's') {
            int run = 1;
            while (i + run < pattern.size() && pattern.at(i + run).toLower() == c) {
                ++run;
            }
            flushLiteral();
            if (c == u'd') {
                out += QString(qMin(run, 4), QLatin1Char('d'));
            } else if (c == u'm') {
                out += lastWasHour && run <= 2 ? QString(run, QLatin1Char('m'))
                                               : QString(qMin(run, 4), QLatin1Char('M'));
            } else if (c == u'y') {
                out += run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
            } else if (c == u'h') {
                out += QString(qMin(run, 2), QLatin1Char('h'));
            } else if (c == u'n') {
                out += QString(qMin(run, 2), QLatin1Char('m'));
            } else {
                out += QString(qMin(run, 2), QLatin1Char('s'));
            }
            lastWasHour = (c == u'h');
            i += run;
            continue;
        }
        if (c != u' ' && c != u':') {
            lastWasHour = false;
        }
        literal += pattern.at(i);
        ++i;
    }
    flushLiteral();
    return out;
}
} // namespace

QDate ZeroDate() {
    return QDate(1899, 12, 30);
}

bool IsZeroDate(const QDate& date) {
    return date == ZeroDate();
}

QString DateToText(const QDate& date) {
    if (!date.isValid() || IsZeroDate(date)) {
        return kZeroDateText;
    }
    // Written by hand: this runs on every move to a date.
    const int year = date.year();
    if (year < 0 || year > 9999) {
        return date.toString(Qt::ISODate);
    }
    QString text(10, QLatin1Char('-'));
    auto put = [&text](int at, int value, int width) {
        for (int i = at + width - 1; i >= at; --i) {
            text[i] = QChar(u'0' + value % 10);
            value /= 10;
        }
    };
    put(0, year, 4);
    put(5, date.month(), 2);
    put(8, date.day(), 2);
    return text;
}

QDate TextToDate(const QString& text, bool* ok) {
    const QString trimmed = text.trimmed();
    QDate result;
    if (trimmed.compare(kZeroDateText, Qt::CaseInsensitive) == 0) {
        result = ZeroDate();
    } else {
        // yyyy-MM-dd, optionally followed by a time; read by hand, as this runs on every move.
        auto digits = [&trimmed](int from, int count) {
            int value = 0;
            for (int i = from; i < from + count; ++i) {
                const QChar c = trimmed.at(i);
                if (c < u'0' || c > u'9') {
                    return -1;
                }
                value = value * 10 + (c.unicode() - u'0');
            }
            return value;
        };
        const bool shaped = trimmed.size() >= 10 && trimmed.at(4) == u'-' && trimmed.at(7) == u'-' &&
                            (trimmed.size() == 10 || trimmed.at(10) == u'T' || trimmed.at(10) == u' ');
        if (shaped) {
            const int year = digits(0, 4);
            const int month = digits(5, 2);
            const int day = digits(8, 2);
            if (year >= 0 && month >= 0 && day >= 0) {
                result = QDate(year, month, day);
            }
        }
    }
    if (ok) {
        *ok = result.isValid();
    }
    return result;
}

bool IsDateText(const QString& text) {
    bool ok = false;
    TextToDate(text, &ok);
    return ok;
}

QString DateTimeToText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QDateTime TextToDateTime(const QString& text) {
    return QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString FormatDate(const QDate& date, const QString& pattern) {
    return QLocale::c().toString(date, ToQtPattern(pattern));
}

QString FormatDateTime(const QDateTime& moment, const QString& pattern) {
    return QLocale::c().toString(moment, ToQtPattern(pattern));
}
