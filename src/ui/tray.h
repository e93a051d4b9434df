// The tray icon, the pop-up menu "右键" and its web links.
#pragma once

#include <string>

#include "ui/pictures.h"

void setTrayIcon(const ByteBlock& iconFile, const std::string& tip);
void removeTrayIcon();
void onTrayEvent(int trayEventKind);
void popUpMenu();
void onPictureRightButtonDown(int x, int y, int keys);
void onMessageBoardSelected();
void onChatSelected();
void onExitSelected();
void openWebLink(const std::string& url);
