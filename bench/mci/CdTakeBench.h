#pragma once

#include <QList>

namespace sondex::bench {

// A CD take through the whole chain: the CD unit plays a disc image's track
// while a recording device of the same engine records it for the given
// seconds, with a notification sounding into the sink meanwhile; prints the samples that differ from the track and
// where the take starts, once for each rate the server's sink runs at.
int benchCdTake(int seconds, const QList<int>& sinkRates);

}  // namespace sondex::bench
