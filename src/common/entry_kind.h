#pragma once
// What a playlist entry is, by the extension of its file: a movie (shown
// through a page the program writes), a page (shown as it is), or a picture.
// Every place that treats the three differently asks here, so the apply
// path, the preview, the dialogs and the searches agree on each file.

#include <string>
#include <string_view>
#include <vector>

namespace wc {

enum class EntryKind { Picture, Page, Movie };

// Upper case with their dot (".AVI"), as PictureExtensions() gives its own.
// A movie is embedded in a page as a looping video clip, so only the kinds
// the system's media player plays inside a page are movies.
const std::vector<std::string>& MovieExtensions();
const std::vector<std::string>& PageExtensions();

// The kind of the entry whose file is `path`, by its extension in any case.
// Anything neither a movie nor a page is a picture: pictures are decoded by
// what they hold, so the reader, not the name, decides whether one is good.
EntryKind KindOfEntry(std::string_view path);

}  // namespace wc
