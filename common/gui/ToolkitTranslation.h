#pragma once
// The toolkit's own texts (dialog buttons, the file, folder and colour dialogs)
// in Chinese, like every text of the programs.

// Loads the toolkit's Chinese translation into the application; false when it is
// not installed (the texts stay English).
bool installToolkitTranslation();
