#pragma once

namespace rov2::archive {

/// Effort settings of the match finder. The defaults were tuned on SQLite
/// customer files: more effort buys less than a percent of size for each
/// doubling of the time.
struct Lh5Options
{
    /// Candidates looked at per position along a hash chain.
    int maxChain = 48;
    /// A match this long is taken at once, without looking further.
    unsigned niceLength = 128;
    /// A match at least this long is not checked against the next position.
    unsigned lazyLimit = 48;
    /// With a match this long in hand, the next position gets a quarter of
    /// the chain.
    unsigned goodLength = 24;
    /// Three-byte matches farther back than this cost more than three literals.
    unsigned tooFarForThree = 4096;
};

} // namespace rov2::archive
