#pragma once

class GameFrame;
class ScreenBase;

// The diary as the scene screen opens it: the book answers to that screen,
// which shows the diary's tutorial and gets its diary button back.
ScreenBase* MakeSceneDiary(GameFrame& frame, bool firstOpening);
