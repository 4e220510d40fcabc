#pragma once

#include "cd/CdPrompts.h"
#include "core/RecordingPrompts.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace sondex::test {

// Every box the CD operations (and the recordings they save) show, noted in
// order. Answers come from `answers` in turn, then from `answer`, else ＯＫ;
// `onBox` runs while a box is up, as a drive may change meanwhile.
class ScriptedCdPrompts final : public CdPrompts, public RecordingPrompts {
public:
    struct Box {
        QString text;
        int seconds = 0;
        bool abortable = false;
    };

    BoxAnswer timedMessage(const QString& text, int seconds) override { return show({text, seconds, false}); }
    BoxAnswer abortableMessage(const QString& text, int seconds) override { return show({text, seconds, true}); }
    BoxAnswer message(const QString& text) override { return show({text, 0, true}); }
    BoxAnswer question(const QString& text, BoxAnswer) override { return show({text, 0, false}); }
    std::optional<QString> saveName(const QString&, const QString&) override { return std::nullopt; }

    QStringList texts() const {
        QStringList all;
        for (const Box& box : boxes) all.append(box.text);
        return all;
    }

    QList<Box> boxes;
    QList<BoxAnswer> answers;
    std::function<BoxAnswer(const QString&)> answer;
    std::function<void()> onBox;

private:
    BoxAnswer show(const Box& box) {
        boxes.append(box);
        if (onBox) onBox();
        if (!answers.isEmpty()) return answers.takeFirst();
        return answer ? answer(box.text) : BoxAnswer::Ok;
    }
};

}  // namespace sondex::test
