#include "app/help/HelpTopics.h"

namespace clvn::help {

QString topicIdentifier(int topic)
{
    return QStringLiteral("clvn.topic.") + QString::number(topic);
}

} // namespace clvn::help
