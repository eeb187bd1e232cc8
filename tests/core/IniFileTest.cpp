#include "common/TestSupport.h"
#include "platform/IniFile.h"
#include "platform/Text8.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFile, KeepsOrderOfFirstWritingAndWritesThrough) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    IniFile ini(path);
    ini.writeString("Program", "Version", "Ostrelog V1.0");
    ini.writeInteger("Program", "ActiveBand", 3);
    ini.writeBool("General", "Flag", true);
    ini.writeString("program", "version", "X");  // same key, other case: keeps its place
    EXPECT_EQ(readAll(path),
              "[Program]\r\nVersion=X\r\nActiveBand=3\r\n\r\n[General]\r\nFlag=1\r\n\r\n");
    IniFile again(path);
    EXPECT_EQ(again.readInteger("PROGRAM", "activeband", 7), 3);
    EXPECT_TRUE(again.readBool("General", "Flag"));
    EXPECT_EQ(again.readString("General", "Missing", "def"), "def");
    EXPECT_EQ(again.readInteger("General", "Missing", -5), -5);
}

TEST(IniFile, BatchWritesOnceAndKeepsEveryByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath("b.ini");
    IniFile ini(path);
    const QString text = Text8::decode("\xC8\xE6\xF0 \x80 \x81");
    {
        IniFile::Batch batch(ini);
        ini.writeString("S", "K", text);
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(readAll(path), QByteArray("[S]\r\nK=\xC8\xE6\xF0 \x80 \x81\r\n\r\n"));
}

TEST(IniFile, GarbageGivesDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath("c.ini");
    writeAll(path, QByteArray("\x00\x01\xFF=\n=x\nnokey\n[", 12));
    IniFile ini(path);
    EXPECT_EQ(ini.readString("Program", "Version"), "");
}
