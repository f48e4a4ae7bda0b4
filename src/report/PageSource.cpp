#include "PageSource.h"

namespace rov2::report {

int PageSource::pageCount()
{
    while (!complete())
        reach(pagesFinished() + 100);
    return pagesFinished();
}

} // namespace rov2::report
