#include "ProgramEnv.h"

namespace rov2 {

ProgramEnv& env()
{
    static ProgramEnv instance;
    return instance;
}

} // namespace rov2
