// A word list of its own beside the anatomy table: the check must refuse it.
#include <QStringList>

const QStringList kCollectingWords = {
    "renal_pelvis", "lokhanki"};
