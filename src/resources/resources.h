#pragma once

// The icons (":/ressources/icons/<name>.png" and "<name>_inactive.png") and the busy animation
// (":/ressources/images/spinner.gif") live in the static library tessavrant_resources. A static
// library's resources are only registered when something calls into it, so main() of every program
// that shows them calls this once, before the first icon is loaded. Calling it again does no harm.
void initTessavrantResources();
