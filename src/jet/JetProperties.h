#pragma once

#include <QByteArray>

namespace rov2::jet {

/// True when a property block of the catalogue (the LvProp value of a row of
/// MSysObjects: "KKD" or "MR2", then records that each start with their
/// length) can be walked to its end with every record and every name and
/// value inside it. libmdb walks these blocks while it reads the catalogue,
/// trusting every length it finds: a zero length keeps it going for ever, a
/// long one sends it past the block. Blocks of another kind libmdb skips, and
/// so they pass here.
bool propertiesWellFormed(const QByteArray& block);

} // namespace rov2::jet
