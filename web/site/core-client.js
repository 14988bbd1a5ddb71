// The page's side of the worker that holds the core. Every request is a
// promise; stop() ends the worker with whatever it was doing and starts a
// fresh one, whose core knows nothing of earlier runs.

export class Stopped extends Error {}

export class CoreClient {
  constructor(url = "worker.js") {
    this.url = url;
    this.pending = new Map();
    this.next = 0;
    this.generation = 0;
    this.start();
  }

  start() {
    this.worker = new Worker(this.url);
    this.generation += 1;
    this.worker.onmessage = ({ data }) => {
      const p = this.pending.get(data.id);
      if (!p) return;
      this.pending.delete(data.id);
      if ("error" in data) p.reject(new Error(data.error));
      else p.resolve(data.value);
    };
    this.worker.onerror = (e) => {
      e.preventDefault();
      const failure = new Error(e.message || "worker failed");
      for (const p of this.pending.values()) p.reject(failure);
      this.pending.clear();
    };
  }

  request(message) {
    const id = ++this.next;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject });
      this.worker.postMessage({ ...message, id });
    });
  }

  get busy() {
    return this.pending.size > 0;
  }

  menus(lang) {
    return this.request({ type: "menus", lang });
  }

  /// The reply's result comes, and goes on, as UTF-8 bytes.
  run(request) {
    return this.request({ type: "run", request });
  }

  exportReport(format) {
    return this.request({ type: "export", format });
  }

  decimalsFromAnswer(answer) {
    return this.request({ type: "decimals", answer });
  }

  stop() {
    this.worker.terminate();
    for (const p of this.pending.values()) p.reject(new Stopped("stopped"));
    this.pending.clear();
    this.start();
  }

  /// After a failure the module may be left aborted: a fresh one takes over.
  restart() {
    this.stop();
  }
}
