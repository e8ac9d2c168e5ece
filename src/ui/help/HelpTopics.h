#pragma once

/// The help operations by name. Contents and Index are requests of the help window itself;
/// every other value is a topic number of the help book (its topics.txt maps each to a
/// page), so the numbers must stay as they are.
namespace HelpTopic {

/// The table of contents (the Help menu's "Contents", the step tool bar's Learn button).
constexpr int Contents = 0;
/// The index, with its filter field.
constexpr int Index = -1;

// The Help menu's pages.
constexpr int WhatZentrimaDoes = 1000;
constexpr int HowToCite = 1300;
constexpr int License = 1310;
constexpr int TechnicalSupport = 1320;
constexpr int SampleSizeTutorial = 1360;
constexpr int PowerTutorial = 1720;

// The "Help me decide" pages of the sample-size forms.
constexpr int DecideProportions = 1260;
constexpr int DecideAnova = 1450;
constexpr int DecideSurvival = 1460;
constexpr int DecidePaired = 1480;
constexpr int DecideOneSample = 1510;
constexpr int DecideUnpaired = 1830;

} // namespace HelpTopic
