#pragma once

/// Ids of the form controls that several forms share. A control's id is also its object name
/// (findChild<QWidget*>("1019")), which the tests and the help screenshots rely on, so the
/// numbers never change.
namespace ControlId {

/// The default button ("Continue" or "Calculate").
constexpr int DefaultButton = 1;
/// The "Alpha:" list of the significance step.
constexpr int AlphaList = 1019;
/// "Edit powers ...": the list dialog of the power forms.
constexpr int EditPowers = 1020;
/// The "Tabulate:" list of the survival and proportion forms.
constexpr int TabulateList = 1031;
/// "Edit powers and Ns ...": the list dialog of the sample-size forms.
constexpr int EditPowersNs = 1056;
/// The "Test:" list of the proportion forms: the test to be run.
constexpr int TestList = 1103;
/// "Help me decide" and the first form's help button.
constexpr int HelpButton = 1078;

} // namespace ControlId
