#include "analysis/CAnalysisState.h"

#include "calc/CCalculator.h"

#include <mutex>
#include <string>

namespace {

// The registry of live analyses, newest first. The newest entry always holds the highest
// number, so numbering from it keeps the numbers of open analyses unique.
std::mutex& registryLock()
{
    static std::mutex lock;
    return lock;
}

CAnalysisState*& registryHead()
{
    static CAnalysisState* head = nullptr;
    return head;
}

} // namespace

CAnalysisState::CAnalysisState()
{
    {
        std::lock_guard<std::mutex> guard(registryLock());
        CAnalysisState*& head = registryHead();
        m_number = head ? head->m_number + 1 : 1;
        m_registryNext = head;
        head = this;
    }
    m_title = "Analysis " + std::to_string(m_number);
}

CAnalysisState::~CAnalysisState()
{
    {
        std::lock_guard<std::mutex> guard(registryLock());
        for (CAnalysisState** link = &registryHead(); *link; link = &(*link)->m_registryNext) {
            if (*link == this) {
                *link = m_registryNext;
                break;
            }
        }
    }
    deleteCalculators();
}

bool CAnalysisState::setGoalAndDesign(int goal, int design)
{
    if (goal < 0 || goal >= GoalCount || design < 0 || design >= DesignCount)
        return false;
    m_goal = goal;
    m_design = design;
    return true;
}

CCalculator* CAnalysisState::currentCalculator() const
{
    for (CCalculator* c = m_calculators; c; c = c->next) {
        if (c->IsKind(m_goal, m_design))
            return c;
    }
    return nullptr;
}

bool CAnalysisState::addCalculator(CCalculator* calculator)
{
    // A calculator that links to others belongs to a chain already.
    if (!calculator || calculator->next)
        return false;
    CCalculator** link = &m_calculators;
    for (; *link; link = &(*link)->next) {
        if ((*link)->GetTitleId() == calculator->GetTitleId() || *link == calculator)
            return false;
    }
    *link = calculator;
    return true;
}

void CAnalysisState::copyFrom(const CAnalysisState& other)
{
    if (&other == this)
        return;
    // Clone before deleting, so a failing allocation leaves this state as it was.
    CCalculator* copy = other.m_calculators ? other.m_calculators->Clone() : nullptr;
    deleteCalculators();
    m_calculators = copy;
    m_goal = other.m_goal;
    m_design = other.m_design;
}

void CAnalysisState::deleteCalculators()
{
    CCalculator* c = m_calculators;
    m_calculators = nullptr;
    while (c) {
        CCalculator* next = c->next;
        delete c;
        c = next;
    }
}
