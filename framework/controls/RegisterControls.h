// Makes every control class of the framework creatable by stored form data
// and registers the cursor and colour names it may use.
#pragma once

namespace tf {

void RegisterControlClasses();

} // namespace tf
