#pragma once

class QMenuBar;

namespace sondex {

class Commands;

// Fills the main menu `MainMenu1`: ｽﾀｰﾄ, 録音, ｵﾌﾟｼｮﾝ and ﾍﾙﾌﾟ with every command.
void buildMainMenu(QMenuBar& bar, Commands& commands);

}  // namespace sondex
