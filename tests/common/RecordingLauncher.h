#pragma once

#include "components/ProgramLauncher.h"

#include <QList>

// Records what would have been started and answers with a scripted result.
class RecordingLauncher : public ProgramLauncher
{
public:
    LaunchResult start(const LaunchRequest &request) override
    {
        requests << request;
        return answer;
    }

    QList<LaunchRequest> requests;
    LaunchResult answer{LaunchResult::Started, QString()};
};
