#pragma once

#include "calc/AnalysisKind.h"
#include "calc/DirectAnswers.h"

#include <optional>
#include <string>

class CHtmlWriter;
class CTableLabels;
struct ExactCheck;
struct ExactLevel;

/// How a calculator computes its cells: by the written approximations (the default) or from
/// the exact distributions.
enum class CalcMethod
{
    Approximate,
    Exact
};

/// The program a page is written for: the accuracy note of a written page says how to switch
/// to the exact method in that program's own terms.
enum class FrontEnd
{
    Desktop,
    CommandLine
};

/// Abstract base of every calculator: the significance level, the lists of powers and
/// sample sizes, the selected table cell and the link to the next calculator of the same
/// analysis window. The analysis state owns the chain; a calculator owns nothing but the
/// fields below, and its destructor does not follow next.
class CCalculator
{
public:
    /// Maximum number of entries of each list.
    static constexpr int MaxListSize = 100;

    /// A calculator of the given kind with no list, errors reported, 2 decimals, significance
    /// level 0.05 two-tailed.
    explicit CCalculator(const CalculatorKind& kind);
    CCalculator(const CCalculator&) = delete;
    CCalculator& operator=(const CCalculator&) = delete;

    /// Writes the results as tab-separated text for the graph export; always true.
    virtual bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) = 0;
    /// Writes the page of step 3: title, choices, instructions and the tradeoff table.
    virtual bool WriteTradeoffPage(CHtmlWriter& w) = 0;
    /// A deep copy of this calculator and of every calculator after it in the chain.
    virtual CCalculator* Clone() const = 0;
    /// True when this calculator serves goal (0 sample size, 1 power) and design (0..5): the
    /// goal and design of its kind.
    virtual bool IsKind(int goal, int design) const;
    /// String-table id of the page title, from the kind; also the calculator's identity
    /// within a chain.
    virtual unsigned int GetTitleId() const;
    /// String-table id of the step-4 page title, always GetTitleId() + 1.
    virtual unsigned int GetExplanationTitleId() const;
    /// Id of the graph template.
    virtual unsigned int GetGraphTemplateId() const = 0;
    /// Full path of the graph-template file; true when that file exists.
    virtual bool GetGraphTemplatePath(std::string& out) const = 0;
    /// Selects a table cell from a link query (may be null, which clears the selection);
    /// returns HasSelection().
    virtual bool SelectFromQuery(const char* query) = 0;
    /// True when a table cell is selected.
    virtual bool HasSelection() const = 0;
    /// Writes the page of step 4: the detailed report on the selected cell.
    virtual void WriteExplanationPage(CHtmlWriter& w) = 0;

    virtual ~CCalculator() = default;

    /// Chooses how the cells are computed; a clone keeps the method.
    void SetMethod(CalcMethod method);
    /// The method the cells are computed by.
    CalcMethod GetMethod() const;
    /// True when the cells come from the exact distributions.
    bool IsExact() const;
    /// What the exact method of this calculator's current inputs is, for the line
    /// "Method: ..." of the choices block, for example "exact noncentral t distribution".
    /// Each design names its model; the base says only "exact calculation".
    virtual std::string ExactMethodName() const;
    /// What the written method of this calculator is, for the line "Method: ..." of the
    /// choices block, for example "written approximation (normal approximation with a
    /// small-sample correction)"; the base says only "written approximation".
    virtual std::string ApproximateMethodName() const;
    /// A line break, then "Method: " with ExactMethodName() or ApproximateMethodName(). The
    /// choices blocks write it last, before closing their paragraph.
    void WriteMethodLine(CHtmlWriter& w) const;
    /// The exact power (a fraction) of cell (powerIndex, nIndex) when its effect is effect
    /// (nIndex is 0 in a power calculator); NaN when the design has no exact model to check
    /// its written cells against, as by default.
    virtual double ExactPowerOfCell(int powerIndex, int nIndex, double effect) const;
    /// Chooses the program the pages are written for; a clone keeps it. Desktop by default.
    void SetFrontEnd(FrontEnd frontEnd);
    /// The program the pages are written for.
    FrontEnd GetFrontEnd() const;
    /// For a design whose exact method computes only some rows exactly (and the others by
    /// its written formula): whether row nIndex (0 for a power calculator) is computed
    /// exactly. Empty for the designs whose exact method covers every cell alike.
    virtual std::optional<bool> RowComputedExactly(int nIndex) const;

    /// Stores the two-tailed-equivalent level alpha (a one-tailed 0.05 is passed as 0.10)
    /// and its normal deviate. Refuses (false, nothing changed) unless 0 < alpha < 1.
    bool SetAlpha(double alpha, bool twoTailed);
    /// The level the user chose: "%.2f" when that shows it exactly, otherwise the shortest
    /// "%g" text that does ("0.005"); with " (two-tailed)" or " (one-tailed)" when withTails
    /// is true.
    void FormatAlpha(std::string& out, bool withTails) const;
    /// Stores power i in percent and its standard normal quantile. False only for an index
    /// outside the list.
    bool SetPower(int i, double percent);
    /// Stores sample size i. False only for an index outside the list.
    bool SetN(int i, int n);
    /// A refused input: with m_reportErrors, shows message and throws CUserException;
    /// otherwise returns false.
    bool ReportError(const char* message);

    /// True when a cell is selected and its value is a result (a failed cell has no report).
    bool SelectedCellHasResult() const;

    /// Selects from query (when not null) and writes the step-4 page; false, with nothing
    /// written, when no cell is selected.
    bool WriteReportForQuery(CHtmlWriter& w, const char* query);

    /// Hands the table to the graphing program: writes a graph template and a script holding
    /// the table as data into the temporary folder, then starts the program on the script
    /// without waiting. Every problem is shown as a message; when the program still holds
    /// its script, CUserException ends the command after the message.
    void GraphExport();

    /// Replaces the powers with the comma-separated list text (percent values, each from
    /// 1e-12 to 99.999999999999, at most 100 distinct ones), sorted descending. A refused
    /// text goes through ReportError and leaves the list as it was.
    bool ParsePowers(const std::string& text);
    /// Replaces the sample sizes with the comma-separated list text (whole numbers from 2 to
    /// 1,000,000, at most 100 distinct ones), sorted ascending. A refused text goes through
    /// ReportError and leaves the list as it was.
    bool ParseNs(const std::string& text);
    /// The powers joined by "," as FormatNumber writes them, for example "99,95,90,80,50".
    void FormatPowers(std::string& out) const;
    /// The sample sizes joined by ",", for example "3,4,5".
    void FormatNs(std::string& out) const;

    CCalculator* next;
    double m_alpha;
    double m_zAlpha;
    bool m_twoTailed;
    int m_nPowers;
    int m_nNs;
    double m_powers[MaxListSize];
    double m_zPowers[MaxListSize];
    int m_ns[MaxListSize];
    bool m_reportErrors;
    int m_decimals;
    int m_selPower;
    int m_selN;
    /// How the cells are computed.
    CalcMethod m_method;
    /// The effect asked for directly and its answers (calc/DirectAnswerSearch); a clone
    /// keeps them.
    DirectAnswers m_direct;

protected:
    /// The accuracy check of the selected cell on a step-4 page of the written method,
    /// written just after the summary; nothing applies by default.
    virtual ExactCheck MakeExactCheck() const;
    /// In the written method, before a step-3 table: when the exact power of any cell's
    /// effect (ExactPowerOfCell) is one percentage point or more from its column's power, a
    /// paragraph with the count of such cells, the farthest one, and how to switch to the
    /// exact method. Nothing otherwise.
    void WriteAccuracyNote(CHtmlWriter& w) const;

    /// How an explanation words the selected power: the level (FormatAlpha), the power
    /// percent and its complement, the chance of missing (both as FormatNumber writes them).
    struct PowerTexts
    {
        std::string alpha;
        std::string power;
        std::string beta;
    };
    /// The texts of power entry powerIndex; alpha with its tails when alphaWithTails.
    PowerTexts DescribePower(int powerIndex, bool alphaWithTails) const;

    /// The level of the exact tests: the level the user chose and its tails.
    ExactLevel Level() const;
    /// Power percent of entry i as a fraction.
    double PowerFraction(int i) const;
    /// The format of a failed cell: labels.plainFormat, except "Impossible" when the design
    /// has no failed-cell text of its own (plainFormat equal to valueFormat, as for the t
    /// tests and ANOVA).
    const char* FailedCellFormat(const CTableLabels& labels) const;

    /// The standard deviation rule shared by the designs whose first input is an SD: sd
    /// must be > 0, otherwise the message is shown and CUserException thrown whatever
    /// m_reportErrors holds. On success stores sd in field and sets m_decimals from it.
    bool SetSD(double sd, double& field);

    /// Copies every field of this base from source (level, lists, error flag, decimals,
    /// selection) and sets next to a deep copy of the rest of source's chain. A concrete
    /// Clone constructs its copy, copies its own inputs, and calls this last:
    ///     std::unique_ptr<CMyCalc> copy(new CMyCalc);
    ///     copy->m_sd = m_sd;
    ///     copy->CopyCoreFrom(*this);
    ///     return copy.release();
    void CopyCoreFrom(const CCalculator& source);

    /// Loads the stored default powers and sample sizes of a sample-size calculator,
    /// silently falling back to (and removing) any stored list that is empty or invalid.
    void LoadSampleDefaults();
    /// Loads the stored default powers of a power calculator the same way and sets the
    /// single sample size 0 that a power calculator holds.
    void LoadPowerDefaults();

private:
    CalculatorKind m_kind;
    FrontEnd m_frontEnd;

    // The value of cell (powerIndex, nIndex) of either goal's table; false for a failed one.
    bool CellValue(int powerIndex, int nIndex, double* out) const;

    void StorePowers(const double* values, int count);
    void StoreNs(const int* values, int count);
};
