#pragma once

// Context-help topic numbers. The help project maps each number to its page
// through the keyword identifier topicIdentifier(number), so the numbers and
// the pages are kept together in app/help/content/calvenor.qhp.

#include <QString>

namespace clvn::help {

inline constexpr int TopicContents = 1;
inline constexpr int TopicHowToUseHelp = 2;
inline constexpr int TopicMenu = 5;
inline constexpr int TopicQC = 20;
inline constexpr int TopicMQ = 30;
inline constexpr int TopicPreview = 35;
inline constexpr int TopicLS = 40;
inline constexpr int TopicAmortExtra = 45;
inline constexpr int TopicAmort = 50;
inline constexpr int TopicECC = 70;
inline constexpr int TopicRC = 80;
inline constexpr int TopicRVB = 90;
inline constexpr int TopicBW = 100;
inline constexpr int TopicPPC = 120;
inline constexpr int TopicHSP = 130;
inline constexpr int TopicPreferences = 140;
inline constexpr int TopicCMP = 150;
inline constexpr int TopicARM = 160;
inline constexpr int TopicLEC = 170;
inline constexpr int TopicGlossary = 5000;

// The identifier under which the help project files a topic: "clvn.topic.20".
QString topicIdentifier(int topic);

} // namespace clvn::help
