#include "app/help/HelpTopics.h"

#include <array>
#include <utility>

namespace clvn::help {

int topicForPage(const QString &pageName)
{
    static const std::array<std::pair<const char16_t *, int>, 11> pages{{
        {u"Menu", TopicMenu},
        {u"QC", TopicQC},
        {u"MQ", TopicMQ},
        {u"LS", TopicLS},
        {u"Amort", TopicAmort},
        {u"ECC", TopicECC},
        {u"RC", TopicRC},
        {u"RVB", TopicRVB},
        {u"BW", TopicBW},
        {u"PPC", TopicPPC},
        {u"HSP", TopicHSP},
    }};
    for (const auto &[name, topic] : pages) {
        if (pageName == QStringView(name))
            return topic;
    }
    return TopicContents;
}

QString topicIdentifier(int topic)
{
    return QStringLiteral("clvn.topic.") + QString::number(topic);
}

} // namespace clvn::help
