// The page's windows and their controls, as the game creates and changes
// them: a frame with a title bar and a menu bar round the client area, the
// court's shapes on a canvas, labels, buttons and text boxes as elements at
// their places in CSS pixels.
"use strict";

Object.assign(ralloPage, {
  name(id, name) {
    this.names.set(name, id);  // the dialog's Label1 hides the play window's, for the tests
    this.idNames.set(id, name);
  },

  window(id, caption, clientWidth, clientHeight, backColor, hasMenus, dialog) {
    const root = element("div", "window", document.getElementById("desktop"));
    root.hidden = true;
    const title = element("div", "titlebar", root);
    const text = element("h1", "caption", title);  // the heading of what the window shows
    if (dialog) {
      root.setAttribute("role", "dialog");
      root.setAttribute("aria-modal", "true");  // the window behind is hidden meanwhile
      this.refer(root, "aria-labelledby", text);
    }
    const close = element("button", "close", title);
    close.textContent = "\u00d7";
    close.title = "Close";
    close.setAttribute("aria-label", "Close");
    close.tabIndex = -1;
    close.addEventListener("click", () => this.post({kind: EVENT.Close, a: id}));
    const menuBar = hasMenus ? element("div", "menubar", root) : null;
    if (menuBar) menuBar.setAttribute("role", "menubar");
    const client = element("div", "client", root);
    client.style.background = cssColor(backColor);
    const canvas = element("canvas", "", client);
    const win = {kind: "window", id, root, title: text, menuBar, client, canvas, clientWidth,
                 clientHeight, shapes: [], menus: [], visible: false, dirty: true, dialog};
    root.dataset.name = this.nameOf(id);
    root.addEventListener("mousedown", () => { this.active = win; });
    this.objects.set(id, win);
    this.windowUpdate(id, caption, 0, 0, clientWidth + 2 * FRAME_BORDER, 0, false);
  },

  windowUpdate(id, caption, left, top, width, height, visible) {
    const win = this.objects.get(id);
    win.title.textContent = caption;
    win.root.style.left = `${Math.max(0, left)}px`;
    win.root.style.top = `${Math.max(0, top)}px`;
    const clientWidth = Math.max(0, width - 2 * FRAME_BORDER);
    if (clientWidth !== win.width) {
      win.width = clientWidth;
      win.client.style.width = `${clientWidth}px`;
      win.client.style.height = `${win.clientHeight}px`;
      this.sizeCanvas(win);
    }
    if (visible !== win.visible) {
      win.visible = visible;
      win.root.hidden = !visible;
      if (visible) {
        this.active = win;
        // The keyboard goes to the window's first button or text box, as on
        // the desktop; a text box offers its text to be typed over.
        const first = [...win.client.querySelectorAll("button, input")].find(n => !n.hidden);
        if (first) {
          first.focus();
          if (first.select) first.select();
        }
      } else if (this.active === win) {
        this.active = [...this.objects.values()].find(o => o.kind === "window" && o.visible) ||
                      null;
      }
      this.closeMenus();
    }
    this.invalidate(win);
  },

  // Crisp on high-DPI screens: the canvas has one pixel per device pixel.
  sizeCanvas(win) {
    const ratio = window.devicePixelRatio || 1;
    win.canvas.width = Math.round(win.width * ratio);
    win.canvas.height = Math.round(win.clientHeight * ratio);
    win.canvas.style.width = `${win.width}px`;
    win.canvas.style.height = `${win.clientHeight}px`;
    win.ratio = ratio;
    this.invalidate(win);
  },

  nameOf(id) {
    return this.idNames.get(id) || "";
  },

  addControl(id, windowId, kind, node) {
    const win = this.objects.get(windowId);
    const control = {kind, id, win, node, visible: true, box: [0, 0, 0, 0], text: ""};
    if (node) {
      node.dataset.name = this.nameOf(id);
      win.client.appendChild(node);
    }
    this.objects.set(id, control);
    return control;
  },

  shape(id, windowId, circle, fill) {
    const shape = this.addControl(id, windowId, "shape", null);
    shape.circle = circle;
    shape.fill = cssColor(fill);
    shape.name = this.nameOf(id);
    shape.win.shapes.push(shape);
  },

  label(id, windowId, style) {
    const node = element("div", "label");
    if (style.systemColors) {
      node.classList.add("system");
    } else {
      node.style.background = cssColor(style.back);
      node.style.color = cssColor(style.fore);
    }
    if (style.centred) node.style.textAlign = "center";
    if (style.border) node.classList.add("border");
    if (style.fontName) node.style.fontFamily = `"${style.fontName}", sans-serif`;
    if (style.fontSize) node.style.fontSize = `${style.fontSize}pt`;
    if (style.bold) node.style.fontWeight = "bold";
    this.addControl(id, windowId, "label", node);
  },

  button(id, windowId) {
    const node = element("button", "button");
    node.type = "button";
    node.addEventListener("click", () => this.post({kind: EVENT.Button, a: id}));
    this.addControl(id, windowId, "button", node);
  },

  textBox(id, windowId) {
    const node = element("input", "textbox");
    node.type = "text";
    node.spellcheck = false;
    node.addEventListener("input", () => this.post({kind: EVENT.Text, a: id, text: node.value}));
    this.addControl(id, windowId, "textbox", node);
  },

  controlUpdate(id, left, top, width, height, visible, text) {
    const control = this.objects.get(id);
    control.box = [left, top, width, height];
    control.visible = visible;
    control.text = text;
    const node = control.node;
    if (!node) {
      this.invalidate(control.win);
      return;
    }
    placeAt(node, left, top, width, height);
    if (control.kind === "button" && node.hidden === visible) this.settleFocusSoon(control.win);
    node.hidden = !visible;
    if (control.kind === "textbox") {
      if (node.value !== text) node.value = text;
    } else if (control.kind === "button") {
      control.accessLetter = setCaption(node, text);
      const letter = control.accessLetter;
      if (letter) node.setAttribute("aria-keyshortcuts", `Alt+${letter}`);
    } else {
      this.fillLabel(control);
    }
  },

  invalidate(win) {
    if (win.dirty && win.drawPending) return;
    win.dirty = true;
    if (!win.drawPending) {
      win.drawPending = true;
      requestAnimationFrame(() => this.draw(win));
    }
  },

  // The shapes, back to front, on whole pixels: a solid fill with a thin
  // black outline; boxes under 3 px (the walls) show only their fill, which
  // an outline would cover.
  draw(win) {
    win.drawPending = false;
    win.dirty = false;
    const context = win.canvas.getContext("2d");
    context.setTransform(win.ratio, 0, 0, win.ratio, 0, 0);
    context.clearRect(0, 0, win.width, win.clientHeight);
    const hairline = 1 / win.ratio;
    context.lineWidth = hairline;
    context.strokeStyle = "#000";
    for (const shape of win.shapes) {
      if (!shape.visible) continue;
      const left = Math.round(shape.box[0]), top = Math.round(shape.box[1]);
      const width = Math.round(shape.box[0] + shape.box[2]) - left;
      const height = Math.round(shape.box[1] + shape.box[3]) - top;
      if (width <= 0 || height <= 0) continue;
      context.fillStyle = shape.fill;
      if (width < 3 || height < 3) {
        context.fillRect(left, top, width, height);
      } else if (shape.circle) {
        context.beginPath();
        context.ellipse(left + width / 2, top + height / 2, width / 2 - hairline / 2,
                        height / 2 - hairline / 2, 0, 0, 2 * Math.PI);
        context.fill();
        context.stroke();
      } else {
        context.fillRect(left, top, width, height);
        context.strokeRect(left + hairline / 2, top + hairline / 2, width - hairline,
                           height - hairline);
      }
    }
    if (win.court) this.placeCourt(win);
    if (this.firstPaint === null && win.visible && win.shapes.length) {
      this.firstPaint = performance.now();
    }
  }
});
