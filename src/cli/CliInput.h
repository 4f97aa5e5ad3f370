#pragma once

#include <QString>

#include <memory>
#include <vector>

class ModelClass;

// The models of one command's INPUT, loaded as the viewer loads them: a .surf
// gives one model, an .hx scene one model per surface it lists, in its order.
// On a failure prints "path: message" to standard error and returns false;
// models already loaded are kept in `models`.
bool loadInputModels(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models);

// "path: text" on standard error, the form of every command's error line.
void printInputError(const QString &path, const QString &text);
