#pragma once
// Scripted visual-styles implementation: knows every class, paints each drawn part in one
// marker colour and records what was asked; it can lack an entry point or have no active theme.

#include "platform/VisualStyles.h"

#include <QPainter>

#include <set>
#include <string>
#include <vector>

namespace testsupport {

class FakeVisualStyles : public platform::VisualStyles {
public:
    struct Draw {
        QString themeClass;
        int part;
        int state;
        QRect rect;
    };

    explicit FakeVisualStyles(bool active = true, std::string missing = {})
        : active(active), missing(std::move(missing))
    {
    }

    bool hasEntry(std::string_view name) const override { return name != missing; }
    bool isThemeActive() const override { return active; }
    platform::HTHEME openThemeData(QWidget*, const QString& classList) override
    {
        ++opened;
        classes.push_back(classList);
        open.insert(platform::HTHEME(classes.size()));
        return platform::HTHEME(classes.size());
    }
    bool closeThemeData(platform::HTHEME theme) override
    {
        ++closed;
        return open.erase(theme) > 0;
    }
    bool drawThemeBackground(platform::HTHEME theme, QPainter& canvas, int part, int state, const QRect& rect) override
    {
        draws.push_back({classes.at(theme - 1), part, state, rect});
        canvas.fillRect(rect, QColor(marker));
        return true;
    }
    bool getCurrentThemeName(QString& fileName, QString& colorScheme, QString& sizeName) const override
    {
        fileName = QStringLiteral("fake.msstyles");
        colorScheme = scheme;
        sizeName = QStringLiteral("NormalSize");
        return true;
    }

    static constexpr QRgb marker = 0xFF123456;
    bool active;
    std::string missing;
    QString scheme = QStringLiteral("NormalColor"); // the colour scheme it names
    int opened = 0;
    int closed = 0;
    std::vector<QString> classes;
    std::set<platform::HTHEME> open;
    std::vector<Draw> draws;
};

} // namespace testsupport
