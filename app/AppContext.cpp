#include "app/AppContext.h"

AppContext* theAppContext = nullptr;
