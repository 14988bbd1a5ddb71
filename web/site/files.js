// Text files in and out of the page. Reading follows the window's rule:
// a UTF-8 or UTF-16 byte-order mark decides; otherwise valid UTF-8 is
// UTF-8, and anything else is read as GB18030 (the superset of GBK, in
// which Chinese Windows saves plain text). Files are written as UTF-8.

const startsWith = (bytes, mark) => mark.every((b, i) => bytes[i] === b);

/// The text of a file's bytes.
export function decodeText(bytes) {
  if (startsWith(bytes, [0xff, 0xfe])) return new TextDecoder("utf-16le").decode(bytes.subarray(2));
  if (startsWith(bytes, [0xfe, 0xff])) return new TextDecoder("utf-16be").decode(bytes.subarray(2));
  const body = startsWith(bytes, [0xef, 0xbb, 0xbf]) ? bytes.subarray(3) : bytes;
  try {
    return new TextDecoder("utf-8", { fatal: true }).decode(body);
  } catch {
    return new TextDecoder("gb18030").decode(body);
  }
}

/// Hands the text to the browser as a download named `name`.
export function download(name, text, type = "text/plain") {
  const blob = new Blob([text], { type: type + ";charset=utf-8" });
  const url = URL.createObjectURL(blob);
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  a.hidden = true;
  document.body.append(a);
  a.click();
  a.remove();
  // The browser has taken the blob once the click has been handled.
  setTimeout(() => URL.revokeObjectURL(url), 0);
}

/// Lets the user pick a file; resolves to the File, or null when the
/// chooser was cancelled.
export function chooseFile(input) {
  return new Promise((resolve) => {
    const done = (file) => {
      input.removeEventListener("change", onChange);
      input.removeEventListener("cancel", onCancel);
      resolve(file);
    };
    const onChange = () => done(input.files[0] || null);
    const onCancel = () => done(null);
    input.addEventListener("change", onChange);
    input.addEventListener("cancel", onCancel);
    input.value = "";
    input.click();
  });
}

/// Line breaks as the window hands them on: CR LF.
export const toCrLf = (text) => text.replace(/\r\n|\r|\n/g, "\r\n");
