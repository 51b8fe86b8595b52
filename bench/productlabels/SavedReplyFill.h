#pragma once

#include <QString>

#include <optional>

// An import's second half alone: a saved reply filled into the queue of
// directory, each record committed; 0 when the whole reply was stored.
int fillFromSavedReply(const QString &replyPath, const QString &directory, std::optional<double> countOverride);
