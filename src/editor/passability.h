#pragma once

namespace tw {

class Editor;

// "Все стереть": every cell of the scene shown becomes blocked, as one step. Other scenes stay as they are.
void blockEveryCell(Editor& editor);

} // namespace tw
