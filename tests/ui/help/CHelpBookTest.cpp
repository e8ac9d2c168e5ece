#include "ui/help/CHelpBook.h"

#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "ui/support/CUiTestPlatform.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#ifndef ZENTRIMA_HELP_BOOK
#error "ZENTRIMA_HELP_BOOK, the path of the built help book, comes from tests/ui/CMakeLists.txt"
#endif

namespace {

const QString BookPath = QStringLiteral(ZENTRIMA_HELP_BOOK);

QString firstMatch(const QString& text, const QString& pattern)
{
    const QRegularExpression expression(pattern,
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
    return expression.match(text).captured(1).simplified();
}

class HelpBookTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(book.open(BookPath)) << qPrintable(BookPath); }

    std::string titleOf(const QString& page) const
    {
        return firstMatch(book.readFile(page), QStringLiteral("<title>(.*?)</title>"))
            .toStdString();
    }

    // Every page of the book, by its path inside the book.
    QStringList pages() const
    {
        const QString root = QLatin1Char(':') + book.url(QString()).path();
        QStringList found;
        QDirIterator it(root, {QStringLiteral("*.htm")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next().mid(root.size());
        return found;
    }

    // A "page" or "page#anchor" of the book: the page exists and, with an anchor, names it.
    ::testing::AssertionResult resolves(const QString& target) const
    {
        const QString page = target.section(QLatin1Char('#'), 0, 0);
        const QString anchor = target.section(QLatin1Char('#'), 1);
        if (!book.hasFile(page))
            return ::testing::AssertionFailure() << "no page " << qPrintable(page);
        if (!anchor.isEmpty() &&
            !book.readFile(page).contains(QStringLiteral("name=\"%1\"").arg(anchor)))
            return ::testing::AssertionFailure()
                   << qPrintable(page) << " has no anchor " << qPrintable(anchor);
        return ::testing::AssertionSuccess();
    }

    CUiTestPlatform platform;
    CHelpBook book;
};

TEST_F(HelpBookTest, EveryTopicNumberOpensItsOwnPage)
{
    const std::vector<std::pair<int, const char*>> topics = {
        {1000, "What does Zentrima do?"},
        {1260, "Help me decide: two proportions"},
        {1300, "How to cite Zentrima"},
        {1310, "License agreement"},
        {1320, "Technical support"},
        {1360, "Sample size tutorial"},
        {1450, "Help me decide: one-way ANOVA"},
        {1460, "Help me decide: two survival curves"},
        {1480, "Help me decide: paired t test"},
        {1510, "Help me decide: one-sample t test"},
        {1720, "Power tutorial"},
        {1830, "Help me decide: unpaired t test"},
    };
    QList<int> numbers;
    for (const auto& [topic, title] : topics) {
        numbers << topic;
        const QString page = book.pagePath(book.topicUrl(topic));
        ASSERT_FALSE(page.isEmpty()) << topic;
        EXPECT_TRUE(book.hasFile(page)) << topic;
        EXPECT_EQ(title, titleOf(page)) << topic;
    }
    EXPECT_EQ(numbers, book.topics());
    EXPECT_TRUE(book.topicUrl(1001).isEmpty());
}

TEST_F(HelpBookTest, EveryPageHasItsTitleAsHeadingAndEveryLinkResolves)
{
    const QStringList all = pages();
    ASSERT_GE(all.size(), 12);
    const QRegularExpression link(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                  QRegularExpression::CaseInsensitiveOption);
    for (const QString& page : all) {
        SCOPED_TRACE(page.toStdString());
        const QString text = book.readFile(page);
        EXPECT_FALSE(titleOf(page).empty());
        EXPECT_EQ(titleOf(page), firstMatch(text, QStringLiteral("<h1>(.*?)</h1>")).toStdString());
        EXPECT_TRUE(text.contains(QStringLiteral("href=\"help.css\"")));
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString href = it.next().captured(1);
            const QUrl url(href);
            if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
                // Web addresses stay on the reserved example domain.
                EXPECT_TRUE(url.host() == QLatin1String("example.com") ||
                            url.host().endsWith(QLatin1String(".example.com")))
                    << href.toStdString();
            } else if (url.scheme() == QLatin1String("mailto")) {
                EXPECT_TRUE(url.path().endsWith(QLatin1String("@example.com")))
                    << href.toStdString();
            } else {
                const QUrl target = book.url(page).resolved(url);
                QString inBook = book.pagePath(target);
                if (target.hasFragment())
                    inBook += QLatin1Char('#') + target.fragment();
                EXPECT_TRUE(resolves(inBook)) << "link " << href.toStdString();
            }
        }
    }
}

TEST_F(HelpBookTest, ContentsAndIndexEntriesResolve)
{
    ASSERT_FALSE(book.contents().isEmpty());
    EXPECT_EQ("contents.htm", book.contents().first().target.toStdString());
    EXPECT_EQ(book.url(QStringLiteral("contents.htm")).toString().toStdString(),
              book.startUrl().toString().toStdString());
    int previousDepth = 0;
    for (const CHelpBook::ContentsEntry& entry : book.contents()) {
        EXPECT_TRUE(resolves(entry.target)) << entry.title.toStdString();
        EXPECT_LE(entry.depth, previousDepth + 1) << entry.title.toStdString();
        previousDepth = entry.depth;
    }
    // Every topic with a number has a place in the contents tree.
    for (int topic : book.topics()) {
        const QString page = book.pagePath(book.topicUrl(topic));
        EXPECT_TRUE(
            std::any_of(book.contents().begin(), book.contents().end(),
                        [&](const CHelpBook::ContentsEntry& e) { return e.target == page; }))
            << topic;
    }
    ASSERT_GE(book.index().size(), 40);
    for (const CHelpBook::IndexEntry& entry : book.index())
        EXPECT_TRUE(resolves(entry.target)) << entry.term.toStdString();
}

TEST_F(HelpBookTest, EveryListLineIsAnEntry)
{
    // A line without the "|" separator would silently vanish from the window.
    const std::vector<std::pair<QString, int>> lists = {
        {QStringLiteral("topics.txt"), int(book.topics().size())},
        {QStringLiteral("contents.txt"), int(book.contents().size())},
        {QStringLiteral("index.txt"), int(book.index().size())},
    };
    for (const auto& [file, parsed] : lists) {
        int lines = 0;
        for (const QString& line : book.readFile(file).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(QLatin1Char('#')))
                ++lines;
        EXPECT_EQ(lines, parsed) << file.toStdString();
    }
}

TEST(HelpBookFileTest, AMissingOrForeignFileIsNoBookAndNamesThePathLookedFor)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString missing = folder.filePath(QStringLiteral("Zentrima.rcc"));
    CHelpBook book;
    EXPECT_FALSE(book.open(missing));
    EXPECT_FALSE(book.isOpen());
    EXPECT_EQ(missing.toStdString(), book.path().toStdString());
    EXPECT_TRUE(book.topicUrl(1720).isEmpty());
    EXPECT_TRUE(book.contents().isEmpty());
    EXPECT_TRUE(book.readFile(QStringLiteral("topics.txt")).isEmpty());

    const QString foreign = folder.filePath(QStringLiteral("Other.rcc"));
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1720 | power-tutorial.htm\n");
    file.close();
    EXPECT_FALSE(book.open(foreign));
    EXPECT_EQ(foreign.toStdString(), book.path().toStdString());

    // The same object opens the real book afterwards.
    EXPECT_TRUE(book.open(BookPath));
    EXPECT_FALSE(book.topicUrl(1720).isEmpty());
    EXPECT_EQ(BookPath.toStdString(), book.path().toStdString());
}

TEST(HelpBookFileTest, TwoBooksKeepTheirOwnAddresses)
{
    CHelpBook first;
    CHelpBook second;
    ASSERT_TRUE(first.open(BookPath));
    ASSERT_TRUE(second.open(BookPath));
    const QUrl page = first.url(QStringLiteral("license.htm#grant"));
    EXPECT_EQ("license.htm", first.pagePath(page).toStdString());
    EXPECT_EQ("grant", page.fragment().toStdString());
    EXPECT_TRUE(second.pagePath(page).isEmpty());
    EXPECT_TRUE(first.pagePath(QUrl(QStringLiteral("https://www.example.com/"))).isEmpty());
    // Closing one book leaves the other readable.
    second.close();
    EXPECT_FALSE(first.readFile(QStringLiteral("license.htm")).isEmpty());
    EXPECT_TRUE(second.readFile(QStringLiteral("license.htm")).isEmpty());
}

// The worked examples quote numbers as the program prints them in its tables; they must stay
// what the calculators compute.
QString sampleCell(CSampleCalc& calc, int n, int power, const char* format)
{
    calc.ParseNs(std::to_string(n));
    calc.ParsePowers(std::to_string(power));
    double value = 0;
    calc.ComputeCell(0, 0, &value);
    return QString::asprintf(format, value);
}

QString powerCell(CPowerCalc& calc, int power)
{
    calc.ParsePowers(std::to_string(power));
    double value = 0;
    calc.ComputeCell(0, &value);
    return QString::asprintf("%.2f", value);
}

TEST_F(HelpBookTest, WorkedExamplesQuoteWhatTheCalculatorsCompute)
{
    std::vector<std::pair<QString, QString>> quotes; // page, number
    const auto quote = [&](const char* page, const QString& number) {
        quotes.emplace_back(QString::fromUtf8(page), number);
    };

    CSampleUnpairedCalc unpaired;
    unpaired.SetSD(10);
    for (const char* page : {"power-tutorial.htm", "sample-size-tutorial.htm"})
        quote(page, sampleCell(unpaired, 10, 80, "%.2f"));
    quote("power-tutorial.htm", sampleCell(unpaired, 40, 80, "%.2f"));
    for (int power : {50, 80, 90, 99})
        quote("power-tutorial.htm", sampleCell(unpaired, 20, power, "%.2f"));
    for (int n : {5, 10, 16, 18, 20, 25, 50, 100})
        for (int power : {99, 95, 90, 80, 50})
            quote("sample-size-tutorial.htm", sampleCell(unpaired, n, power, "%.2f"));
    quote("sample-size-tutorial.htm", sampleCell(unpaired, 17, 80, "%.2f"));
    quote("sample-size-tutorial.htm", sampleCell(unpaired, 22, 90, "%.2f"));
    quote("sample-size-tutorial.htm", sampleCell(unpaired, 23, 90, "%.2f"));
    quote("how-to-cite.htm", sampleCell(unpaired, 17, 80, "%.2f"));
    quote("significance-level.htm", sampleCell(unpaired, 20, 80, "%.2f"));
    unpaired.SetAlpha(0.01, true);
    for (int power : {80, 90})
        quote("power-tutorial.htm", sampleCell(unpaired, 20, power, "%.2f"));
    quote("significance-level.htm", sampleCell(unpaired, 20, 80, "%.2f"));
    unpaired.SetAlpha(0.10, false); // 0.05 one-tailed
    for (int power : {80, 90})
        quote("power-tutorial.htm", sampleCell(unpaired, 20, power, "%.2f"));
    quote("significance-level.htm", sampleCell(unpaired, 20, 80, "%.2f"));
    unpaired.SetAlpha(0.05, true);
    unpaired.SetSD(1);
    quote("power-tutorial.htm", sampleCell(unpaired, 10, 80, "%.2f"));

    CPowerUnpairedCalc finished;
    finished.SetGroups(10, 10, 9, 11);
    for (int power : {99, 95, 90, 80, 50, 20})
        quote("power-tutorial.htm", powerCell(finished, power));
    quote("how-to-cite.htm", powerCell(finished, 80));
    for (int n : {20, 40}) {
        finished.SetGroups(n, n, 9, 11);
        quote("power-tutorial.htm", powerCell(finished, 80));
    }

    CSamplePairedCalc paired;
    paired.SetSD(10);
    for (double r : {0.2, 0.5, 0.8}) {
        paired.SetR(r);
        quote("decide-paired.htm", sampleCell(paired, 10, 80, "%.2f"));
    }
    paired.SetR(0.5);
    quote("sample-size-tutorial.htm", sampleCell(paired, 10, 80, "%.2f"));
    paired.m_useR = false;
    const QString differences = sampleCell(paired, 10, 80, "%.2f");
    paired.m_useR = true;
    EXPECT_EQ(sampleCell(paired, 10, 80, "%.2f"), differences); // SD of differences 10 = r 0.5

    CSampleOneCalc one;
    one.SetSD(10);
    for (int n : {10, 20})
        quote("decide-one-sample.htm", sampleCell(one, n, 80, "%.2f"));

    CSampleChiSquareCalc proportions;
    proportions.SetProportion(0.5);
    proportions.SetEffectKind(1, 1);
    quote("decide-proportions.htm", sampleCell(proportions, 100, 80, "%.2f"));
    proportions.SetProportion(0.2);
    for (int direction : {1, 0})
        for (int tabulate : {1, 2}) {
            proportions.SetEffectKind(direction, tabulate);
            quote("decide-proportions.htm", sampleCell(proportions, 100, 80, "%.2f"));
        }
    // "80% power is impossible with 18 or fewer subjects per group" (0.2, lower).
    proportions.SetEffectKind(0, 1);
    double ignored = 0;
    proportions.ParsePowers("80");
    proportions.ParseNs("18,19");
    EXPECT_FALSE(proportions.ComputeCell(0, 0, &ignored));
    EXPECT_TRUE(proportions.ComputeCell(0, 1, &ignored));

    CSampleLogrankCalc survival;
    for (double s : {0.2, 0.5, 0.8}) {
        survival.SetProportion(s);
        for (int kind : {1, 2}) {
            survival.SetEffectKind(kind);
            quote("decide-survival.htm", sampleCell(survival, 100, 80, "%.3f"));
        }
    }
    survival.SetProportion(0.5);
    survival.SetEffectKind(3);
    quote("decide-survival.htm", sampleCell(survival, 100, 80, "%.3f"));

    CSampleAnovaCalc anova;
    anova.SetSD(10);
    for (int groups : {3, 5}) {
        anova.SetGroupCount(groups);
        for (int n : {10, 20})
            quote("decide-anova.htm", sampleCell(anova, n, 80, "%.2f"));
    }

    for (const auto& [page, number] : quotes)
        EXPECT_TRUE(book.readFile(page).contains(number))
            << page.toStdString() << " does not quote " << number.toStdString();
}

// Each row of the table of differences holds "<td>written</td><td>exact</td>" as the
// calculators compute them.
TEST_F(HelpBookTest, ExactPageQuotesWhatBothMethodsCompute)
{
    const QString page = book.readFile(QStringLiteral("exact-and-approximate.htm"));
    ASSERT_FALSE(page.isEmpty());
    QStringList rows;
    const auto both = [&](CCalculator& calc, const std::function<QString()>& cell) {
        calc.SetMethod(CalcMethod::Approximate);
        const QString written = cell();
        calc.SetMethod(CalcMethod::Exact);
        rows << QStringLiteral("<td>%1</td><td>%2</td>").arg(written, cell());
    };
    CPowerPairedCalc paired;
    paired.SetSD(1);
    for (int pairs : {5, 10, 20}) {
        paired.SetPairs(pairs);
        both(paired, [&] {
            paired.ParsePowers("80");
            double value = 0;
            paired.ComputeCell(0, &value);
            return QString::asprintf("%.3f", value);
        });
    }
    CSampleUnpairedCalc unpaired;
    unpaired.SetSD(1);
    for (int n : {2, 3, 100})
        both(unpaired, [&] { return sampleCell(unpaired, n, 80, "%.3f"); });
    CSampleAnovaCalc anova;
    anova.SetSD(1);
    both(anova, [&] { return sampleCell(anova, 1000000, 80, "%.5f"); });
    CPowerLogrankCalc survival;
    survival.SetProportion(0.3);
    survival.SetSampleSize(200);
    survival.SetEffectType(2);
    both(survival, [&] {
        survival.ParsePowers("80");
        double value = 0;
        survival.ComputeCell(0, &value);
        return QString::asprintf("%.4f", value);
    });
    for (const QString& row : rows)
        EXPECT_TRUE(page.contains(row)) << row.toStdString();

    // Proportions: the written decrease, and no exact one.
    CSampleChiSquareCalc proportions;
    proportions.SetProportion(0.1);
    proportions.SetEffectKind(0, 1);
    EXPECT_TRUE(page.contains(QStringLiteral("<td>%1</td><td>none reaches 80%</td>")
                                  .arg(sampleCell(proportions, 40, 80, "%.4f"))));
    proportions.SetMethod(CalcMethod::Exact);
    double ignored = 0;
    EXPECT_FALSE(proportions.ComputeCell(0, 0, &ignored));
}

} // namespace
