// The result area. A report at order 1000 is ten million characters; laid
// out whole, as a textarea would, it takes the browser longer than the
// command that wrote it. So the text goes in as blocks of lines that the
// browser lays out only while they are in view (content-visibility), and
// selecting, copying and finding in the page still reach all of it.
//
// The core hands its reports over as UTF-8 bytes. The blocks are decoded
// from them one by one: a block of digits alone becomes a string of one
// byte per character, where the whole report, once a single Chinese
// heading is in it, would take two bytes for every character and the time
// to convert them.

const kLinesPerBlock = 32;
const kLineFeed = 10;
const utf8 = new TextDecoder();

/// Line breaks as a textarea shows them: CR LF and a lone CR become LF. A
/// plain search does the common CR LF many times faster than a pattern.
function asShown(text) {
  const lf = text.replaceAll("\r\n", "\n");
  return lf.includes("\r") ? lf.replaceAll("\r", "\n") : lf;
}

/// Shows the UTF-8 text `bytes` in area, line breaks as a textarea shows
/// them. Each block keeps its own line breaks, so area.textContent is the
/// text itself. The same bytes shown again are left as they are.
export function showText(area, bytes) {
  if (area.shownBytes === bytes) return;
  area.shownBytes = bytes;
  const blocks = document.createDocumentFragment();
  let start = 0;
  while (start < bytes.length) {
    let end = start;
    let lines = 0;
    let widest = 0;
    while (lines < kLinesPerBlock && end < bytes.length) {
      const next = bytes.indexOf(kLineFeed, end);
      const stop = next < 0 ? bytes.length : next + 1;
      widest = Math.max(widest, stop - end);
      end = stop;
      ++lines;
    }
    const block = document.createElement("div");
    block.textContent = asShown(utf8.decode(bytes.subarray(start, end)));
    // Its size until it is first laid out, so that the scroll bars are
    // about right from the start (the widest line's bytes stand in for its
    // width); the line height is fixed in the style.
    block.style.containIntrinsicSize = `auto ${widest}ch auto ${lines * 1.25}em`;
    blocks.append(block);
    start = end;
  }
  area.replaceChildren(blocks);
  area.scrollTop = 0;
  area.scrollLeft = 0;
}
