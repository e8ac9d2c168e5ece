#include "analysis/CAnalysisState.h"

#include "calc/CCalculator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A calculator that serves one (goal, design) pair and carries one input, enough to tell
// chains and copies apart.
class CKindCalculator : public CCalculator
{
public:
    CKindCalculator(int goal, int design, unsigned int titleId)
        : CCalculator(
              CalculatorKind{static_cast<Goal>(goal), static_cast<Design>(design), titleId}),
          m_goal(goal), m_design(design), m_titleId(titleId)
    {
    }

    bool WriteDataTable(CHtmlWriter&, CTableLabels&) override { return true; }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override
    {
        std::unique_ptr<CKindCalculator> copy(new CKindCalculator(m_goal, m_design, m_titleId));
        copy->m_value = m_value;
        copy->CopyCoreFrom(*this);
        return copy.release();
    }
    unsigned int GetGraphTemplateId() const override { return 0; }
    bool GetGraphTemplatePath(std::string&) const override { return false; }
    bool SelectFromQuery(const char*) override { return false; }
    bool HasSelection() const override { return false; }
    void WriteExplanationPage(CHtmlWriter&) override {}

    double m_value = -1;

private:
    int m_goal;
    int m_design;
    unsigned int m_titleId;
};

int chainLength(const CAnalysisState& state)
{
    int n = 0;
    for (CCalculator* c = state.calculators(); c; c = c->next)
        ++n;
    return n;
}

} // namespace

// Every test leaves no state alive, so the registry is empty at the start of each and the
// first analysis of a test is number 1.
TEST(CAnalysisStateTest, NumbersFollowTheNewestLiveAnalysis)
{
    auto a1 = std::make_unique<CAnalysisState>();
    auto a2 = std::make_unique<CAnalysisState>();
    auto a3 = std::make_unique<CAnalysisState>();
    EXPECT_EQ(1, a1->number());
    EXPECT_EQ(2, a2->number());
    EXPECT_EQ(3, a3->number());
    EXPECT_EQ("Analysis 1", a1->title());
    EXPECT_EQ("Analysis 3", a3->title());

    a3.reset();
    CAnalysisState afterClosingNewest;
    EXPECT_EQ(3, afterClosingNewest.number());

    a1.reset();
    CAnalysisState afterClosingOldest;
    EXPECT_EQ(4, afterClosingOldest.number());
    EXPECT_EQ(2, a2->number());
}

TEST(CAnalysisStateTest, ClosingOneInTheMiddleKeepsTheRegistryLinked)
{
    auto a1 = std::make_unique<CAnalysisState>();
    auto a2 = std::make_unique<CAnalysisState>();
    auto a3 = std::make_unique<CAnalysisState>();
    a2.reset();
    a3.reset();
    // Only 1 is left; a broken link would number from a dead entry.
    CAnalysisState next;
    EXPECT_EQ(2, next.number());
}

TEST(CAnalysisStateTest, NewAnalysisHasGoalZeroDesignZeroAndNoCalculator)
{
    CAnalysisState state;
    EXPECT_EQ(0, state.goal());
    EXPECT_EQ(0, state.design());
    EXPECT_EQ(nullptr, state.calculators());
    EXPECT_EQ(nullptr, state.currentCalculator());
}

TEST(CAnalysisStateTest, GoalAndDesignOutsideTheirCodesAreRefused)
{
    CAnalysisState state;
    EXPECT_TRUE(state.setGoalAndDesign(1, 5));
    const int bad[][2] = {{2, 0}, {-1, 0}, {0, 6}, {0, -1}};
    for (const auto& pair : bad) {
        EXPECT_FALSE(state.setGoalAndDesign(pair[0], pair[1])) << pair[0] << "," << pair[1];
        EXPECT_EQ(1, state.goal());
        EXPECT_EQ(5, state.design());
    }
}

TEST(CAnalysisStateTest, CurrentCalculatorFollowsGoalAndDesign)
{
    CAnalysisState state;
    auto* unpaired = new CKindCalculator(0, 0, 500);
    auto* paired = new CKindCalculator(0, 1, 502);
    ASSERT_TRUE(state.addCalculator(unpaired));
    ASSERT_TRUE(state.addCalculator(paired));

    EXPECT_EQ(unpaired, state.currentCalculator());
    state.setGoalAndDesign(0, 1);
    EXPECT_EQ(paired, state.currentCalculator());
    state.setGoalAndDesign(1, 1);
    EXPECT_EQ(nullptr, state.currentCalculator()) << "a pair never visited has none";
    state.setGoalAndDesign(0, 0);
    EXPECT_EQ(unpaired, state.currentCalculator()) << "switching back finds the first one";
}

TEST(CAnalysisStateTest, AddRefusesNullDuplicatesAndLinkedCalculators)
{
    CAnalysisState state;
    auto* first = new CKindCalculator(0, 0, 500);
    ASSERT_TRUE(state.addCalculator(first));
    EXPECT_FALSE(state.addCalculator(nullptr));

    // Same title id, even if it claims another pair: refused, chain unchanged, and the
    // caller still owns it.
    auto duplicate = std::make_unique<CKindCalculator>(1, 3, 500);
    EXPECT_FALSE(state.addCalculator(duplicate.get()));
    EXPECT_EQ(1, chainLength(state));
    EXPECT_EQ(first, state.calculators());
    EXPECT_EQ(nullptr, first->next);

    // The same object twice would make the chain a loop.
    EXPECT_FALSE(state.addCalculator(first));

    // A calculator heading its own chain is refused rather than grafted in whole.
    auto head = std::make_unique<CKindCalculator>(0, 5, 512);
    CKindCalculator tail(1, 5, 520);
    head->next = &tail;
    EXPECT_FALSE(state.addCalculator(head.get()));
    head->next = nullptr;
    EXPECT_EQ(1, chainLength(state));
}

TEST(CAnalysisStateTest, AddAppendsInOrder)
{
    CAnalysisState state;
    auto* a = new CKindCalculator(0, 0, 500);
    auto* b = new CKindCalculator(1, 0, 504);
    auto* c = new CKindCalculator(0, 5, 512);
    ASSERT_TRUE(state.addCalculator(a));
    ASSERT_TRUE(state.addCalculator(b));
    ASSERT_TRUE(state.addCalculator(c));
    EXPECT_EQ(a, state.calculators());
    EXPECT_EQ(b, a->next);
    EXPECT_EQ(c, b->next);
    EXPECT_EQ(nullptr, c->next);
}

TEST(CAnalysisStateTest, CopyFromTakesGoalDesignAndAnIndependentChain)
{
    CAnalysisState source;
    auto* unpaired = new CKindCalculator(0, 0, 500);
    auto* onePower = new CKindCalculator(1, 5, 520);
    unpaired->m_value = 2.5;
    onePower->m_value = 7;
    unpaired->SetAlpha(0.10, false);
    source.addCalculator(unpaired);
    source.addCalculator(onePower);
    source.setGoalAndDesign(1, 5);

    CAnalysisState copy;
    copy.copyFrom(source);
    EXPECT_EQ(2, copy.number()) << "number and title stay the copy's own";
    EXPECT_EQ("Analysis 2", copy.title());
    EXPECT_EQ(1, copy.goal());
    EXPECT_EQ(5, copy.design());
    ASSERT_EQ(2, chainLength(copy));

    auto* copiedPower = static_cast<CKindCalculator*>(copy.currentCalculator());
    ASSERT_NE(nullptr, copiedPower);
    EXPECT_NE(onePower, copiedPower);
    EXPECT_EQ(7, copiedPower->m_value);
    copiedPower->m_value = 99;
    EXPECT_EQ(7, onePower->m_value);

    copy.setGoalAndDesign(0, 0);
    auto* copiedUnpaired = static_cast<CKindCalculator*>(copy.currentCalculator());
    ASSERT_NE(nullptr, copiedUnpaired);
    EXPECT_NE(unpaired, copiedUnpaired);
    EXPECT_DOUBLE_EQ(0.10, copiedUnpaired->m_alpha);
    EXPECT_FALSE(copiedUnpaired->m_twoTailed);
    copiedUnpaired->SetAlpha(0.01, true);
    EXPECT_DOUBLE_EQ(0.10, unpaired->m_alpha);
    EXPECT_EQ(1, source.goal()) << "the copy's goal is its own";
}

TEST(CAnalysisStateTest, CopyFromReplacesTheOldChainAndCopiesAnEmptyOne)
{
    CAnalysisState target;
    target.addCalculator(new CKindCalculator(0, 1, 502));
    target.setGoalAndDesign(0, 1);

    CAnalysisState empty;
    empty.setGoalAndDesign(1, 0);
    target.copyFrom(empty);
    EXPECT_EQ(nullptr, target.calculators());
    EXPECT_EQ(nullptr, target.currentCalculator());
    EXPECT_EQ(1, target.goal());
    EXPECT_EQ(0, target.design());

    // Copying from itself changes nothing and frees nothing.
    target.addCalculator(new CKindCalculator(1, 0, 504));
    target.copyFrom(target);
    ASSERT_NE(nullptr, target.currentCalculator());
    EXPECT_EQ(504u, target.currentCalculator()->GetTitleId());
}
