// Number text in the user's locale: fixed patterns, "@" alignment, reading back.
#include "platform/NumberText.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <gtest/gtest.h>

namespace {

class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);
const QLocale kPoint(QLocale::English, QLocale::UnitedStates);

struct Case {
    double value;
    const char* pattern;
    const char* spanish;
    const char* point;
};

TEST(NumberText, Patterns) {
    const Case cases[] = {
        {0.4, "0.000", "0,400", "0.400"},
        {230000, "0", "230000", "230000"},  // never grouped
        {1234567.891, "0.00", "1234567,89", "1234567.89"},
        {0.3, "0.0", "0,3", "0.3"},
        {27.4, "0", "27", "27"},
        {0.5, "0", "1", "1"},               // half away from zero
        {-0.5, "0", "-1", "-1"},
        {2.675, "0.00", "2,68", "2.68"},    // as written, not its binary neighbour
        {1.005, "0.00", "1,01", "1.01"},
        {0.125, "0.00", "0,13", "0.13"},
        {9.9996, "0.000", "10,000", "10.000"},
        {0.0000123456, "0.000000", "0,000012", "0.000012"},
        {-12.3456, "0.00", "-12,35", "-12.35"},
        {-0.0001, "0.000", "0,000", "0.000"},  // rounds to zero: no sign
        {-0.0, "0.0", "0,0", "0.0"},
        {5, "@@", " 5", " 5"},
        {12.5, "@@@@@@", "  12,5", "  12.5"},
        {123456, "@@", "123456", "123456"},  // longer text unchanged
    };
    for (const Case& c : cases) {
        {
            LocaleScope scope(kSpanish);
            EXPECT_EQ(platform::formatNumber(c.value, c.pattern), QString::fromUtf8(c.spanish))
                << c.value << " " << c.pattern;
        }
        {
            LocaleScope scope(kPoint);
            EXPECT_EQ(platform::formatNumber(c.value, c.pattern), QString::fromUtf8(c.point))
                << c.value << " " << c.pattern;
        }
    }
}

TEST(NumberText, TextAlignmentAndOddInput) {
    EXPECT_EQ(platform::formatText("7", "@@@@"), "   7");
    EXPECT_EQ(platform::formatText("12,50", "@@@@"), "12,50");
    EXPECT_EQ(platform::formatText("x", "0.0"), "x");
    EXPECT_EQ(platform::formatNumber(std::numeric_limits<double>::infinity(), "0.0"), "");
    EXPECT_EQ(platform::formatNumber(std::nan(""), "0"), "");
    EXPECT_EQ(platform::formatNumber(1e300, "0").size(), 301);
}

TEST(NumberText, ReadingShownTextUsesTheLocale) {
    {
        LocaleScope scope(kSpanish);
        bool ok = false;
        EXPECT_DOUBLE_EQ(platform::readShown(" 0,400 ", &ok), 0.4);
        EXPECT_TRUE(ok);
        EXPECT_DOUBLE_EQ(platform::readShown(platform::formatNumber(230000, "0")), 230000);
        for (const char* bad : {"12.345", "1.250,5", "---", "", "abc"}) {
            EXPECT_EQ(platform::readShown(bad, &ok), 0) << bad;
            EXPECT_FALSE(ok) << bad;
        }
    }
    {
        LocaleScope scope(kPoint);
        bool ok = true;
        EXPECT_DOUBLE_EQ(platform::readShown("0.400", &ok), 0.4);
        EXPECT_TRUE(ok);
        EXPECT_EQ(platform::readShown("1,5", &ok), 0);
        EXPECT_FALSE(ok);
    }
}

// Whatever the locale writes as its decimal or minus sign, the texts the
// program shows pass its own number test and read back.
TEST(NumberText, ShownTextsReadBackUnderEveryLocale) {
    const QLocale locales[] = {kSpanish, kPoint, QLocale(QLocale::Arabic, QLocale::Egypt),
                               QLocale(QLocale::Persian, QLocale::Iran),
                               QLocale(QLocale::Swedish, QLocale::Sweden)};
    const struct {
        double value;
        const char* pattern;
        double shown;
    } cases[] = {{0.4, "0.000", 0.4}, {-12.345, "0.00", -12.35}, {230000, "0", 230000}};
    for (const QLocale& locale : locales) {
        LocaleScope scope(locale);
        for (const auto& c : cases) {
            const QString text = platform::formatNumber(c.value, c.pattern);
            SCOPED_TRACE(locale.name().toStdString() + " " + text.toStdString());
            EXPECT_TRUE(platform::isNumber(text));
            EXPECT_EQ(platform::typedValue(text), std::fabs(c.shown));
            bool ok = false;
            EXPECT_EQ(platform::readShown(text, &ok), c.shown);
            EXPECT_TRUE(ok);
        }
    }
}

TEST(NumberText, TypedTextTakesCommaOrPointAndDropsTheSign) {
    LocaleScope scope(kPoint);
    EXPECT_TRUE(platform::isNumber(" -0,3 "));
    EXPECT_DOUBLE_EQ(platform::typedValue(" -0,3 "), 0.3);
    EXPECT_DOUBLE_EQ(platform::typedValue("1.5"), 1.5);
    EXPECT_FALSE(platform::isNumber("1.250,5"));
    EXPECT_FALSE(platform::isNumber(""));
}

}  // namespace
