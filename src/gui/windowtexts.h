#pragma once

#include <QCoreApplication>

// The texts that the window's commands show (message boxes, dialog titles, the
// progress dialogs' labels) are the window's: whichever class of the widget layer
// shows one translates it in the window's context, "MainWindow", through
// WindowTexts::tr().
struct WindowTexts
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};
