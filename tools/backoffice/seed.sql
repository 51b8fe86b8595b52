-- Demo back office of the Velmar apparel chain: schema and seed data.
-- UTF-8 text; every text must be Big5-encodable (checked when the server seeds a database).
-- Dates are yyyy/mm/dd text; prices and quantities are numbers.

CREATE TABLE branch (
    bran_no TEXT PRIMARY KEY,
    bran_name TEXT NOT NULL,
    link_pass TEXT NOT NULL,
    sort_order INTEGER NOT NULL
);

CREATE TABLE supplier (
    supp_no TEXT PRIMARY KEY,
    cust_abbr TEXT NOT NULL,
    supp_name TEXT NOT NULL
);

CREATE TABLE brand (
    kind_no TEXT PRIMARY KEY,
    kind_name TEXT NOT NULL
);

CREATE TABLE category (
    cate_no TEXT PRIMARY KEY,
    cate_name TEXT NOT NULL
);

CREATE TABLE colour (
    color_no TEXT PRIMARY KEY,
    color TEXT NOT NULL,
    eng_color TEXT NOT NULL,
    sort_order INTEGER NOT NULL
);

CREATE TABLE size (
    sizes TEXT PRIMARY KEY,
    sort_order INTEGER NOT NULL
);

-- An item group is one style; its products are the colour/size variants.
-- price: list price; member: special price (0 = none); lprice: reference price; cash1: wholesale price.
CREATE TABLE item_group (
    item1 TEXT PRIMARY KEY,
    item_name TEXT NOT NULL,
    eng_name TEXT NOT NULL,
    unit TEXT NOT NULL,
    unit_q REAL NOT NULL,
    cate_no TEXT REFERENCES category,
    kind_no TEXT REFERENCES brand,
    supp_no TEXT REFERENCES supplier,
    supp_ino TEXT NOT NULL,
    notes TEXT NOT NULL,
    notea1 TEXT NOT NULL, notea2 TEXT NOT NULL, notea3 TEXT NOT NULL, notea4 TEXT NOT NULL, notea5 TEXT NOT NULL,
    notea6 TEXT NOT NULL, notea7 TEXT NOT NULL, notea8 TEXT NOT NULL, notea9 TEXT NOT NULL, notea10 TEXT NOT NULL,
    price REAL NOT NULL,
    member REAL NOT NULL,
    lprice REAL NOT NULL,
    cash1 REAL NOT NULL
);

CREATE TABLE product (
    item_no TEXT PRIMARY KEY,
    barcode TEXT NOT NULL UNIQUE,
    item1 TEXT NOT NULL REFERENCES item_group,
    color_no TEXT NOT NULL REFERENCES colour,
    sizes TEXT NOT NULL REFERENCES size
);
CREATE INDEX product_item1 ON product (item1);

-- A branch's own prices of a group; a NULL column falls back to the group's price.
CREATE TABLE branch_price (
    bran_no TEXT NOT NULL REFERENCES branch,
    item1 TEXT NOT NULL REFERENCES item_group,
    price REAL,
    member REAL,
    cash1 REAL,
    PRIMARY KEY (bran_no, item1)
);

CREATE TABLE stock (
    bran_no TEXT NOT NULL REFERENCES branch,
    item_no TEXT NOT NULL REFERENCES product,
    quan REAL NOT NULL,
    PRIMARY KEY (bran_no, item_no)
);

-- kind: purchase (進貨, is_buyc Y = 寄賣進貨), stocktake (盤點), transfer (調撥出庫, to to_bran),
-- order (廠商採購), wholesale (批發出貨), consignment (寄賣出貨), sale (門市銷售, register mach_no).
CREATE TABLE document (
    kind TEXT NOT NULL,
    doc_no TEXT NOT NULL,
    bran_no TEXT NOT NULL REFERENCES branch,
    dat TEXT NOT NULL,
    supp_no TEXT NOT NULL DEFAULT '',
    cust_no TEXT NOT NULL DEFAULT '',
    to_bran TEXT NOT NULL DEFAULT '',
    mach_no TEXT NOT NULL DEFAULT '',
    is_buyc TEXT NOT NULL DEFAULT 'N',
    PRIMARY KEY (kind, doc_no)
);
-- Lists a branch's documents already in date order.
CREATE INDEX document_issuer_date ON document (kind, bran_no, dat, doc_no);

CREATE TABLE document_line (
    kind TEXT NOT NULL,
    doc_no TEXT NOT NULL,
    line_no INTEGER NOT NULL,
    item_no TEXT NOT NULL REFERENCES product,
    quan REAL NOT NULL,
    PRIMARY KEY (kind, doc_no, line_no),
    FOREIGN KEY (kind, doc_no) REFERENCES document
);
CREATE INDEX document_line_item ON document_line (item_no);

CREATE TABLE club (
    club_no TEXT PRIMARY KEY,
    club_name TEXT NOT NULL
);

CREATE TABLE customer (
    cust_no TEXT PRIMARY KEY,
    cust_name TEXT NOT NULL,
    cust_com TEXT NOT NULL,
    cust_tel TEXT NOT NULL,
    mobile TEXT NOT NULL,
    club_no TEXT REFERENCES club,
    postal TEXT NOT NULL,
    address TEXT NOT NULL,
    card_no TEXT NOT NULL,
    bran_no TEXT NOT NULL REFERENCES branch,
    created TEXT NOT NULL,
    born TEXT NOT NULL
);

BEGIN;

INSERT INTO branch VALUES ('A', '總公司', '0000', 1);
INSERT INTO branch VALUES ('01', '台北忠孝店', '1234', 2);
INSERT INTO branch VALUES ('02', '台中公益店', '5678', 3);

INSERT INTO supplier VALUES ('S001', '宏織紡織', '宏織紡織股份有限公司');
INSERT INTO supplier VALUES ('S002', '東隆成衣', '東隆成衣有限公司');
INSERT INTO supplier VALUES ('S003', '佳麗服飾', '佳麗服飾企業社');
INSERT INTO supplier VALUES ('S004', '永豐皮件', '永豐皮件有限公司');

INSERT INTO brand VALUES ('K01', '薇瑪');
INSERT INTO brand VALUES ('K02', '薇瑪童裝');
INSERT INTO brand VALUES ('K03', '城市輕旅');

INSERT INTO category VALUES ('C01', '上衣');
INSERT INTO category VALUES ('C02', '褲裝');
INSERT INTO category VALUES ('C03', '洋裝');
INSERT INTO category VALUES ('C04', '外套');
INSERT INTO category VALUES ('C05', '配件');
INSERT INTO category VALUES ('C06', '針織衫');

INSERT INTO colour VALUES ('WH', '白色', 'White', 1);
INSERT INTO colour VALUES ('BK', '黑色', 'Black', 2);
INSERT INTO colour VALUES ('NV', '深藍', 'Navy', 3);
INSERT INTO colour VALUES ('RD', '紅色', 'Red', 4);
INSERT INTO colour VALUES ('GY', '麻灰', 'Heather Grey', 5);
INSERT INTO colour VALUES ('BE', '米色', 'Beige', 6);
INSERT INTO colour VALUES ('KH', '卡其', 'Khaki', 7);
INSERT INTO colour VALUES ('PK', '粉紅', 'Pink', 8);
INSERT INTO colour VALUES ('GN', '墨綠', 'Dark Green', 9);
INSERT INTO colour VALUES ('BR', '咖啡', 'Brown', 10);

INSERT INTO size VALUES ('XS', 1);
INSERT INTO size VALUES ('S', 2);
INSERT INTO size VALUES ('M', 3);
INSERT INTO size VALUES ('L', 4);
INSERT INTO size VALUES ('XL', 5);
INSERT INTO size VALUES ('XXL', 6);
INSERT INTO size VALUES ('28', 7);
INSERT INTO size VALUES ('30', 8);
INSERT INTO size VALUES ('32', 9);
INSERT INTO size VALUES ('34', 10);
INSERT INTO size VALUES ('110', 11);
INSERT INTO size VALUES ('120', 12);
INSERT INTO size VALUES ('130', 13);
INSERT INTO size VALUES ('F', 14);

INSERT INTO item_group VALUES ('A1001', '棉質圓領T恤', 'Cotton Crew-neck Tee', '件', 1, 'C01', 'K01', 'S001', 'HZ-T2301', '春季新品', '表布：棉100%', '羅紋：棉95% 彈性纖維5%', '洗滌：30度以下溫水手洗', '不可漂白', '陰乾，避免曝曬', '低溫熨燙', '深淺色衣物分開洗滌', '產地：台灣', '', '', 590, 490, 650, 350);
INSERT INTO item_group VALUES ('A1002', '條紋長袖襯衫', 'Striped Long-sleeve Shirt', '件', 1, 'C01', 'K01', 'S002', 'TL-SH118', '', '表布：棉60% 聚酯纖維40%', '洗滌：可機洗，請翻面', '不可烘乾', '中溫熨燙', '產地：越南', '', '', '', '', '', 1280, 0, 1380, 760);
INSERT INTO item_group VALUES ('A1003', '童裝連帽T恤', 'Kids Hooded Tee', '件', 1, 'C01', 'K02', 'S001', 'HZ-K0907', '童裝週特惠', '表布：棉100%', '帽繩已縫固，安全設計', '洗滌：30度以下溫水洗', '不可漂白', '產地：台灣', '', '', '', '', '', 690, 590, 720, 420);
INSERT INTO item_group VALUES ('B2001', '彈性直筒牛仔褲', 'Stretch Straight Jeans', '件', 1, 'C02', 'K01', 'S002', 'TL-DN501', '', '表布：棉98% 彈性纖維2%', '初次洗滌可能褪色', '洗滌：單獨翻面洗', '不可漂白', '陰乾', '產地：柬埔寨', '', '', '', '', 1680, 1380, 1780, 980);
INSERT INTO item_group VALUES ('B2002', '休閒卡其長褲', 'Chino Trousers', '件', 1, 'C02', 'K03', 'S002', 'TL-CH220', '', '表布：棉97% 彈性纖維3%', '洗滌：30度以下溫水洗', '中溫熨燙', '產地：越南', '', '', '', '', '', '', 1480, 0, 1480, 880);
INSERT INTO item_group VALUES ('D3001', '碎花雪紡洋裝', 'Floral Chiffon Dress', '件', 1, 'C03', 'K01', 'S003', 'JL-DR33', '寄賣商品', '表布：聚酯纖維100%', '裡布：聚酯纖維100%', '洗滌：手洗或乾洗', '不可烘乾', '低溫熨燙，請墊布', '產地：台灣', '', '', '', '', 1980, 1580, 2180, 1180);
INSERT INTO item_group VALUES ('J4001', '輕量羽絨外套', 'Light Down Jacket', '件', 1, 'C04', 'K03', 'S003', 'JL-DJ08', '冬季主打', '表布：尼龍100%', '填充：羽絨90% 羽毛10%', '洗滌：中性洗劑手洗', '不可熨燙', '平放陰乾後輕拍蓬鬆', '產地：中國', '', '', '', '', 3280, 2680, 3580, 1980);
INSERT INTO item_group VALUES ('K5001', '羊毛混紡針織衫', 'Wool Blend Cardigan', '件', 1, 'C06', 'K01', 'S001', 'HZ-KN15', '', '表布：羊毛50% 壓克力纖維50%', '洗滌：冷水手洗', '不可扭乾', '平放陰乾', '低溫熨燙', '產地：台灣', '', '', '', '', 1880, 1680, 1980, 1080);
INSERT INTO item_group VALUES ('C6001', '真皮手提包', 'Leather Handbag', '個', 1, 'C05', 'K01', 'S004', 'YF-BG77', '限量款', '表面：牛皮', '裡布：聚酯纖維', '避免雨淋及重壓', '以乾布擦拭保養', '產地：義大利', '', '', '', '', '', 4980, 0, 4980, 2980);
INSERT INTO item_group VALUES ('C6002', '棉質短襪三入組', 'Cotton Socks 3-pack', '組', 3, 'C05', 'K02', 'S001', 'HZ-SK03', '買二送一', '棉80% 尼龍18% 彈性纖維2%', '洗滌：可機洗', '產地：台灣', '', '', '', '', '', '', '', 299, 249, 299, 160);

INSERT INTO product VALUES ('A1001-WH-S', '4712345000015', 'A1001', 'WH', 'S');
INSERT INTO product VALUES ('A1001-WH-M', '4712345000022', 'A1001', 'WH', 'M');
INSERT INTO product VALUES ('A1001-WH-L', '4712345000039', 'A1001', 'WH', 'L');
INSERT INTO product VALUES ('A1001-WH-XL', '4712345000046', 'A1001', 'WH', 'XL');
INSERT INTO product VALUES ('A1001-BK-S', '4712345000053', 'A1001', 'BK', 'S');
INSERT INTO product VALUES ('A1001-BK-M', '4712345000060', 'A1001', 'BK', 'M');
INSERT INTO product VALUES ('A1001-BK-L', '4712345000077', 'A1001', 'BK', 'L');
INSERT INTO product VALUES ('A1001-BK-XL', '4712345000084', 'A1001', 'BK', 'XL');
INSERT INTO product VALUES ('A1001-NV-S', '4712345000091', 'A1001', 'NV', 'S');
INSERT INTO product VALUES ('A1001-NV-M', '4712345000107', 'A1001', 'NV', 'M');
INSERT INTO product VALUES ('A1001-NV-L', '4712345000114', 'A1001', 'NV', 'L');
INSERT INTO product VALUES ('A1001-NV-XL', '4712345000121', 'A1001', 'NV', 'XL');
INSERT INTO product VALUES ('A1001-RD-S', '4712345000138', 'A1001', 'RD', 'S');
INSERT INTO product VALUES ('A1001-RD-M', '4712345000145', 'A1001', 'RD', 'M');
INSERT INTO product VALUES ('A1001-RD-L', '4712345000152', 'A1001', 'RD', 'L');
INSERT INTO product VALUES ('A1001-RD-XL', '4712345000169', 'A1001', 'RD', 'XL');

INSERT INTO product VALUES ('A1002-WH-S', '4712345000176', 'A1002', 'WH', 'S');
INSERT INTO product VALUES ('A1002-WH-M', '4712345000183', 'A1002', 'WH', 'M');
INSERT INTO product VALUES ('A1002-WH-L', '4712345000190', 'A1002', 'WH', 'L');
INSERT INTO product VALUES ('A1002-WH-XL', '4712345000206', 'A1002', 'WH', 'XL');
INSERT INTO product VALUES ('A1002-NV-S', '4712345000213', 'A1002', 'NV', 'S');
INSERT INTO product VALUES ('A1002-NV-M', '4712345000220', 'A1002', 'NV', 'M');
INSERT INTO product VALUES ('A1002-NV-L', '4712345000237', 'A1002', 'NV', 'L');
INSERT INTO product VALUES ('A1002-NV-XL', '4712345000244', 'A1002', 'NV', 'XL');

INSERT INTO product VALUES ('A1003-PK-110', '4712345000251', 'A1003', 'PK', '110');
INSERT INTO product VALUES ('A1003-PK-120', '4712345000268', 'A1003', 'PK', '120');
INSERT INTO product VALUES ('A1003-PK-130', '4712345000275', 'A1003', 'PK', '130');
INSERT INTO product VALUES ('A1003-NV-110', '4712345000282', 'A1003', 'NV', '110');
INSERT INTO product VALUES ('A1003-NV-120', '4712345000299', 'A1003', 'NV', '120');
INSERT INTO product VALUES ('A1003-NV-130', '4712345000305', 'A1003', 'NV', '130');

INSERT INTO product VALUES ('B2001-NV-28', '4712345000312', 'B2001', 'NV', '28');
INSERT INTO product VALUES ('B2001-NV-30', '4712345000329', 'B2001', 'NV', '30');
INSERT INTO product VALUES ('B2001-NV-32', '4712345000336', 'B2001', 'NV', '32');
INSERT INTO product VALUES ('B2001-NV-34', '4712345000343', 'B2001', 'NV', '34');
INSERT INTO product VALUES ('B2001-BK-28', '4712345000350', 'B2001', 'BK', '28');
INSERT INTO product VALUES ('B2001-BK-30', '4712345000367', 'B2001', 'BK', '30');
INSERT INTO product VALUES ('B2001-BK-32', '4712345000374', 'B2001', 'BK', '32');
INSERT INTO product VALUES ('B2001-BK-34', '4712345000381', 'B2001', 'BK', '34');

INSERT INTO product VALUES ('B2002-KH-28', '4712345000398', 'B2002', 'KH', '28');
INSERT INTO product VALUES ('B2002-KH-30', '4712345000404', 'B2002', 'KH', '30');
INSERT INTO product VALUES ('B2002-KH-32', '4712345000411', 'B2002', 'KH', '32');
INSERT INTO product VALUES ('B2002-BK-28', '4712345000428', 'B2002', 'BK', '28');
INSERT INTO product VALUES ('B2002-BK-30', '4712345000435', 'B2002', 'BK', '30');
INSERT INTO product VALUES ('B2002-BK-32', '4712345000442', 'B2002', 'BK', '32');
INSERT INTO product VALUES ('B2002-BE-28', '4712345000459', 'B2002', 'BE', '28');
INSERT INTO product VALUES ('B2002-BE-30', '4712345000466', 'B2002', 'BE', '30');
INSERT INTO product VALUES ('B2002-BE-32', '4712345000473', 'B2002', 'BE', '32');

INSERT INTO product VALUES ('D3001-PK-S', '4712345000480', 'D3001', 'PK', 'S');
INSERT INTO product VALUES ('D3001-PK-M', '4712345000497', 'D3001', 'PK', 'M');
INSERT INTO product VALUES ('D3001-PK-L', '4712345000503', 'D3001', 'PK', 'L');
INSERT INTO product VALUES ('D3001-WH-S', '4712345000510', 'D3001', 'WH', 'S');
INSERT INTO product VALUES ('D3001-WH-M', '4712345000527', 'D3001', 'WH', 'M');
INSERT INTO product VALUES ('D3001-WH-L', '4712345000534', 'D3001', 'WH', 'L');

INSERT INTO product VALUES ('J4001-BK-M', '4712345000541', 'J4001', 'BK', 'M');
INSERT INTO product VALUES ('J4001-BK-L', '4712345000558', 'J4001', 'BK', 'L');
INSERT INTO product VALUES ('J4001-BK-XL', '4712345000565', 'J4001', 'BK', 'XL');
INSERT INTO product VALUES ('J4001-NV-M', '4712345000572', 'J4001', 'NV', 'M');
INSERT INTO product VALUES ('J4001-NV-L', '4712345000589', 'J4001', 'NV', 'L');
INSERT INTO product VALUES ('J4001-NV-XL', '4712345000596', 'J4001', 'NV', 'XL');
INSERT INTO product VALUES ('J4001-BE-M', '4712345000602', 'J4001', 'BE', 'M');
INSERT INTO product VALUES ('J4001-BE-L', '4712345000619', 'J4001', 'BE', 'L');
INSERT INTO product VALUES ('J4001-BE-XL', '4712345000626', 'J4001', 'BE', 'XL');

INSERT INTO product VALUES ('K5001-GY-S', '4712345000633', 'K5001', 'GY', 'S');
INSERT INTO product VALUES ('K5001-GY-M', '4712345000640', 'K5001', 'GY', 'M');
INSERT INTO product VALUES ('K5001-GY-L', '4712345000657', 'K5001', 'GY', 'L');
INSERT INTO product VALUES ('K5001-BR-S', '4712345000664', 'K5001', 'BR', 'S');
INSERT INTO product VALUES ('K5001-BR-M', '4712345000671', 'K5001', 'BR', 'M');
INSERT INTO product VALUES ('K5001-BR-L', '4712345000688', 'K5001', 'BR', 'L');
INSERT INTO product VALUES ('K5001-BE-S', '4712345000695', 'K5001', 'BE', 'S');
INSERT INTO product VALUES ('K5001-BE-M', '4712345000701', 'K5001', 'BE', 'M');
INSERT INTO product VALUES ('K5001-BE-L', '4712345000718', 'K5001', 'BE', 'L');

INSERT INTO product VALUES ('C6001-BK', '4712345000725', 'C6001', 'BK', 'F');
INSERT INTO product VALUES ('C6001-BR', '4712345000732', 'C6001', 'BR', 'F');

INSERT INTO product VALUES ('C6002-WH', '4712345000749', 'C6002', 'WH', 'F');
INSERT INTO product VALUES ('C6002-BK', '4712345000756', 'C6002', 'BK', 'F');
INSERT INTO product VALUES ('C6002-GY', '4712345000763', 'C6002', 'GY', 'F');

INSERT INTO branch_price VALUES ('01', 'D3001', NULL, 1480, NULL);
INSERT INTO branch_price VALUES ('02', 'A1001', 590, 450, NULL);
INSERT INTO branch_price VALUES ('02', 'B2001', NULL, 1280, NULL);
INSERT INTO branch_price VALUES ('02', 'J4001', 2980, 2480, 1880);
INSERT INTO branch_price VALUES ('02', 'A1002', 1180, NULL, NULL);

INSERT INTO stock VALUES ('A', 'A1001-WH-S', 0);
INSERT INTO stock VALUES ('A', 'A1001-WH-M', 17);
INSERT INTO stock VALUES ('A', 'A1001-WH-L', 13);
INSERT INTO stock VALUES ('A', 'A1001-WH-XL', 20);
INSERT INTO stock VALUES ('A', 'A1001-BK-S', 0);
INSERT INTO stock VALUES ('A', 'A1001-BK-M', 12);
INSERT INTO stock VALUES ('A', 'A1001-BK-L', 19);
INSERT INTO stock VALUES ('A', 'A1001-BK-XL', 15);
INSERT INTO stock VALUES ('A', 'A1001-NV-S', 0);
INSERT INTO stock VALUES ('A', 'A1001-NV-M', 18);
INSERT INTO stock VALUES ('A', 'A1001-NV-L', 14);
INSERT INTO stock VALUES ('A', 'A1001-NV-XL', 10);
INSERT INTO stock VALUES ('A', 'A1001-RD-S', 0);
INSERT INTO stock VALUES ('A', 'A1001-RD-M', 13);
INSERT INTO stock VALUES ('A', 'A1001-RD-L', 20);
INSERT INTO stock VALUES ('A', 'A1001-RD-XL', 16);
INSERT INTO stock VALUES ('A', 'A1002-WH-S', 0);
INSERT INTO stock VALUES ('A', 'A1002-WH-M', 19);
INSERT INTO stock VALUES ('A', 'A1002-WH-L', 15);
INSERT INTO stock VALUES ('A', 'A1002-WH-XL', 11);
INSERT INTO stock VALUES ('A', 'A1002-NV-S', 0);
INSERT INTO stock VALUES ('A', 'A1002-NV-M', 14);
INSERT INTO stock VALUES ('A', 'A1002-NV-L', 10);
INSERT INTO stock VALUES ('A', 'A1002-NV-XL', 17);
INSERT INTO stock VALUES ('A', 'A1003-PK-110', 0);
INSERT INTO stock VALUES ('A', 'A1003-PK-120', 20);
INSERT INTO stock VALUES ('A', 'A1003-PK-130', 16);
INSERT INTO stock VALUES ('A', 'A1003-NV-110', 12);
INSERT INTO stock VALUES ('A', 'A1003-NV-120', 0);
INSERT INTO stock VALUES ('A', 'A1003-NV-130', 15);
INSERT INTO stock VALUES ('A', 'B2001-NV-28', 11);
INSERT INTO stock VALUES ('A', 'B2001-NV-30', 18);
INSERT INTO stock VALUES ('A', 'B2001-NV-32', 0);
INSERT INTO stock VALUES ('A', 'B2001-NV-34', 10);
INSERT INTO stock VALUES ('A', 'B2001-BK-28', 17);
INSERT INTO stock VALUES ('A', 'B2001-BK-30', 13);
INSERT INTO stock VALUES ('A', 'B2001-BK-32', 0);
INSERT INTO stock VALUES ('A', 'B2001-BK-34', 16);
INSERT INTO stock VALUES ('A', 'B2002-KH-28', 12);
INSERT INTO stock VALUES ('A', 'B2002-KH-30', 19);
INSERT INTO stock VALUES ('A', 'B2002-KH-32', 0);
INSERT INTO stock VALUES ('A', 'B2002-BK-28', 11);
INSERT INTO stock VALUES ('A', 'B2002-BK-30', 18);
INSERT INTO stock VALUES ('A', 'B2002-BK-32', 14);
INSERT INTO stock VALUES ('A', 'B2002-BE-28', 0);
INSERT INTO stock VALUES ('A', 'B2002-BE-30', 17);
INSERT INTO stock VALUES ('A', 'B2002-BE-32', 13);
INSERT INTO stock VALUES ('A', 'D3001-PK-S', 20);
INSERT INTO stock VALUES ('A', 'D3001-PK-M', 0);
INSERT INTO stock VALUES ('A', 'D3001-PK-L', 12);
INSERT INTO stock VALUES ('A', 'D3001-WH-S', 19);
INSERT INTO stock VALUES ('A', 'D3001-WH-M', 15);
INSERT INTO stock VALUES ('A', 'D3001-WH-L', 0);
INSERT INTO stock VALUES ('A', 'J4001-BK-M', 18);
INSERT INTO stock VALUES ('A', 'J4001-BK-L', 14);
INSERT INTO stock VALUES ('A', 'J4001-BK-XL', 10);
INSERT INTO stock VALUES ('A', 'J4001-NV-M', 0);
INSERT INTO stock VALUES ('A', 'J4001-NV-L', 13);
INSERT INTO stock VALUES ('A', 'J4001-NV-XL', 20);
INSERT INTO stock VALUES ('A', 'J4001-BE-M', 16);
INSERT INTO stock VALUES ('A', 'J4001-BE-L', 0);
INSERT INTO stock VALUES ('A', 'J4001-BE-XL', 19);
INSERT INTO stock VALUES ('A', 'K5001-GY-S', 15);
INSERT INTO stock VALUES ('A', 'K5001-GY-M', 11);
INSERT INTO stock VALUES ('A', 'K5001-GY-L', 0);
INSERT INTO stock VALUES ('A', 'K5001-BR-S', 14);
INSERT INTO stock VALUES ('A', 'K5001-BR-M', 10);
INSERT INTO stock VALUES ('A', 'K5001-BR-L', 17);
INSERT INTO stock VALUES ('A', 'K5001-BE-S', 0);
INSERT INTO stock VALUES ('A', 'K5001-BE-M', 20);
INSERT INTO stock VALUES ('A', 'K5001-BE-L', 16);
INSERT INTO stock VALUES ('A', 'C6001-BK', 12);
INSERT INTO stock VALUES ('A', 'C6001-BR', 0);
INSERT INTO stock VALUES ('A', 'C6002-WH', 15);
INSERT INTO stock VALUES ('A', 'C6002-BK', 11);
INSERT INTO stock VALUES ('A', 'C6002-GY', 18);

INSERT INTO stock VALUES ('01', 'A1001-WH-S', 5);
INSERT INTO stock VALUES ('01', 'A1001-WH-M', 1);
INSERT INTO stock VALUES ('01', 'A1001-WH-L', 8);
INSERT INTO stock VALUES ('01', 'A1001-WH-XL', 0);
INSERT INTO stock VALUES ('01', 'A1001-BK-S', 0);
INSERT INTO stock VALUES ('01', 'A1001-BK-M', 7);
INSERT INTO stock VALUES ('01', 'A1001-BK-L', 3);
INSERT INTO stock VALUES ('01', 'A1001-BK-XL', 0);
INSERT INTO stock VALUES ('01', 'A1001-NV-S', 6);
INSERT INTO stock VALUES ('01', 'A1001-NV-M', 2);
INSERT INTO stock VALUES ('01', 'A1001-NV-L', 9);
INSERT INTO stock VALUES ('01', 'A1001-NV-XL', 0);
INSERT INTO stock VALUES ('01', 'A1001-RD-S', 1);
INSERT INTO stock VALUES ('01', 'A1001-RD-M', 8);
INSERT INTO stock VALUES ('01', 'A1001-RD-L', 4);
INSERT INTO stock VALUES ('01', 'A1001-RD-XL', 0);
INSERT INTO stock VALUES ('01', 'A1002-WH-S', 7);
INSERT INTO stock VALUES ('01', 'A1002-WH-M', 3);
INSERT INTO stock VALUES ('01', 'A1002-WH-L', 10);
INSERT INTO stock VALUES ('01', 'A1002-WH-XL', 0);
INSERT INTO stock VALUES ('01', 'A1002-NV-S', 2);
INSERT INTO stock VALUES ('01', 'A1002-NV-M', 9);
INSERT INTO stock VALUES ('01', 'A1002-NV-L', 5);
INSERT INTO stock VALUES ('01', 'A1002-NV-XL', 0);
INSERT INTO stock VALUES ('01', 'A1003-PK-110', 8);
INSERT INTO stock VALUES ('01', 'A1003-PK-120', 4);
INSERT INTO stock VALUES ('01', 'A1003-PK-130', 0);
INSERT INTO stock VALUES ('01', 'A1003-NV-110', 0);
INSERT INTO stock VALUES ('01', 'A1003-NV-120', 3);
INSERT INTO stock VALUES ('01', 'A1003-NV-130', 10);
INSERT INTO stock VALUES ('01', 'B2001-NV-28', 6);
INSERT INTO stock VALUES ('01', 'B2001-NV-30', 0);
INSERT INTO stock VALUES ('01', 'B2001-NV-32', 9);
INSERT INTO stock VALUES ('01', 'B2001-NV-34', 5);
INSERT INTO stock VALUES ('01', 'B2001-BK-28', 1);
INSERT INTO stock VALUES ('01', 'B2001-BK-30', 0);
INSERT INTO stock VALUES ('01', 'B2001-BK-32', 4);
INSERT INTO stock VALUES ('01', 'B2001-BK-34', 0);
INSERT INTO stock VALUES ('01', 'B2002-KH-28', 7);
INSERT INTO stock VALUES ('01', 'B2002-KH-30', 0);
INSERT INTO stock VALUES ('01', 'B2002-KH-32', 10);
INSERT INTO stock VALUES ('01', 'B2002-BK-28', 6);
INSERT INTO stock VALUES ('01', 'B2002-BK-30', 2);
INSERT INTO stock VALUES ('01', 'B2002-BK-32', 0);
INSERT INTO stock VALUES ('01', 'B2002-BE-28', 5);
INSERT INTO stock VALUES ('01', 'B2002-BE-30', 1);
INSERT INTO stock VALUES ('01', 'B2002-BE-32', 8);
INSERT INTO stock VALUES ('01', 'D3001-PK-S', 0);
INSERT INTO stock VALUES ('01', 'D3001-PK-M', 0);
INSERT INTO stock VALUES ('01', 'D3001-PK-L', 7);
INSERT INTO stock VALUES ('01', 'D3001-WH-S', 3);
INSERT INTO stock VALUES ('01', 'D3001-WH-M', 0);
INSERT INTO stock VALUES ('01', 'D3001-WH-L', 6);
INSERT INTO stock VALUES ('01', 'J4001-BK-M', 2);
INSERT INTO stock VALUES ('01', 'J4001-BK-L', 9);
INSERT INTO stock VALUES ('01', 'J4001-BK-XL', 0);
INSERT INTO stock VALUES ('01', 'J4001-NV-M', 1);
INSERT INTO stock VALUES ('01', 'J4001-NV-L', 8);
INSERT INTO stock VALUES ('01', 'J4001-NV-XL', 4);
INSERT INTO stock VALUES ('01', 'J4001-BE-M', 0);
INSERT INTO stock VALUES ('01', 'J4001-BE-L', 7);
INSERT INTO stock VALUES ('01', 'J4001-BE-XL', 3);
INSERT INTO stock VALUES ('01', 'K5001-GY-S', 10);
INSERT INTO stock VALUES ('01', 'K5001-GY-M', 0);
INSERT INTO stock VALUES ('01', 'K5001-GY-L', 2);
INSERT INTO stock VALUES ('01', 'K5001-BR-S', 9);
INSERT INTO stock VALUES ('01', 'K5001-BR-M', 5);
INSERT INTO stock VALUES ('01', 'K5001-BR-L', 0);
INSERT INTO stock VALUES ('01', 'K5001-BE-S', 8);
INSERT INTO stock VALUES ('01', 'K5001-BE-M', 4);
INSERT INTO stock VALUES ('01', 'K5001-BE-L', 0);
INSERT INTO stock VALUES ('01', 'C6001-BK', 0);
INSERT INTO stock VALUES ('01', 'C6001-BR', 3);
INSERT INTO stock VALUES ('01', 'C6002-WH', 10);
INSERT INTO stock VALUES ('01', 'C6002-BK', 6);
INSERT INTO stock VALUES ('01', 'C6002-GY', 0);

INSERT INTO stock VALUES ('02', 'A1001-WH-S', 10);
INSERT INTO stock VALUES ('02', 'A1001-WH-M', 6);
INSERT INTO stock VALUES ('02', 'A1001-WH-L', 0);
INSERT INTO stock VALUES ('02', 'A1001-WH-XL', 9);
INSERT INTO stock VALUES ('02', 'A1001-BK-S', 5);
INSERT INTO stock VALUES ('02', 'A1001-BK-M', 1);
INSERT INTO stock VALUES ('02', 'A1001-BK-L', 0);
INSERT INTO stock VALUES ('02', 'A1001-BK-XL', 4);
INSERT INTO stock VALUES ('02', 'A1001-NV-S', 0);
INSERT INTO stock VALUES ('02', 'A1001-NV-M', 7);
INSERT INTO stock VALUES ('02', 'A1001-NV-L', 0);
INSERT INTO stock VALUES ('02', 'A1001-NV-XL', 10);
INSERT INTO stock VALUES ('02', 'A1001-RD-S', 6);
INSERT INTO stock VALUES ('02', 'A1001-RD-M', 2);
INSERT INTO stock VALUES ('02', 'A1001-RD-L', 0);
INSERT INTO stock VALUES ('02', 'A1001-RD-XL', 5);
INSERT INTO stock VALUES ('02', 'A1002-WH-S', 1);
INSERT INTO stock VALUES ('02', 'A1002-WH-M', 8);
INSERT INTO stock VALUES ('02', 'A1002-WH-L', 0);
INSERT INTO stock VALUES ('02', 'A1002-WH-XL', 0);
INSERT INTO stock VALUES ('02', 'A1002-NV-S', 7);
INSERT INTO stock VALUES ('02', 'A1002-NV-M', 3);
INSERT INTO stock VALUES ('02', 'A1002-NV-L', 0);
INSERT INTO stock VALUES ('02', 'A1002-NV-XL', 6);
INSERT INTO stock VALUES ('02', 'A1003-PK-110', 2);
INSERT INTO stock VALUES ('02', 'A1003-PK-120', 9);
INSERT INTO stock VALUES ('02', 'A1003-PK-130', 0);
INSERT INTO stock VALUES ('02', 'A1003-NV-110', 1);
INSERT INTO stock VALUES ('02', 'A1003-NV-120', 8);
INSERT INTO stock VALUES ('02', 'A1003-NV-130', 4);
INSERT INTO stock VALUES ('02', 'B2001-NV-28', 0);
INSERT INTO stock VALUES ('02', 'B2001-NV-30', 7);
INSERT INTO stock VALUES ('02', 'B2001-NV-32', 3);
INSERT INTO stock VALUES ('02', 'B2001-NV-34', 10);
INSERT INTO stock VALUES ('02', 'B2001-BK-28', 0);
INSERT INTO stock VALUES ('02', 'B2001-BK-30', 2);
INSERT INTO stock VALUES ('02', 'B2001-BK-32', 9);
INSERT INTO stock VALUES ('02', 'B2001-BK-34', 5);
INSERT INTO stock VALUES ('02', 'B2002-KH-28', 0);
INSERT INTO stock VALUES ('02', 'B2002-KH-30', 8);
INSERT INTO stock VALUES ('02', 'B2002-KH-32', 4);
INSERT INTO stock VALUES ('02', 'B2002-BK-28', 0);
INSERT INTO stock VALUES ('02', 'B2002-BK-30', 0);
INSERT INTO stock VALUES ('02', 'B2002-BK-32', 3);
INSERT INTO stock VALUES ('02', 'B2002-BE-28', 10);
INSERT INTO stock VALUES ('02', 'B2002-BE-30', 6);
INSERT INTO stock VALUES ('02', 'B2002-BE-32', 0);
INSERT INTO stock VALUES ('02', 'D3001-PK-S', 9);
INSERT INTO stock VALUES ('02', 'D3001-PK-M', 5);
INSERT INTO stock VALUES ('02', 'D3001-PK-L', 1);
INSERT INTO stock VALUES ('02', 'D3001-WH-S', 0);
INSERT INTO stock VALUES ('02', 'D3001-WH-M', 4);
INSERT INTO stock VALUES ('02', 'D3001-WH-L', 0);
INSERT INTO stock VALUES ('02', 'J4001-BK-M', 7);
INSERT INTO stock VALUES ('02', 'J4001-BK-L', 0);
INSERT INTO stock VALUES ('02', 'J4001-BK-XL', 10);
INSERT INTO stock VALUES ('02', 'J4001-NV-M', 6);
INSERT INTO stock VALUES ('02', 'J4001-NV-L', 2);
INSERT INTO stock VALUES ('02', 'J4001-NV-XL', 0);
INSERT INTO stock VALUES ('02', 'J4001-BE-M', 5);
INSERT INTO stock VALUES ('02', 'J4001-BE-L', 1);
INSERT INTO stock VALUES ('02', 'J4001-BE-XL', 8);
INSERT INTO stock VALUES ('02', 'K5001-GY-S', 0);
INSERT INTO stock VALUES ('02', 'K5001-GY-M', 0);
INSERT INTO stock VALUES ('02', 'K5001-GY-L', 7);
INSERT INTO stock VALUES ('02', 'K5001-BR-S', 3);
INSERT INTO stock VALUES ('02', 'K5001-BR-M', 0);
INSERT INTO stock VALUES ('02', 'K5001-BR-L', 6);
INSERT INTO stock VALUES ('02', 'K5001-BE-S', 2);
INSERT INTO stock VALUES ('02', 'K5001-BE-M', 9);
INSERT INTO stock VALUES ('02', 'K5001-BE-L', 0);
INSERT INTO stock VALUES ('02', 'C6001-BK', 1);
INSERT INTO stock VALUES ('02', 'C6001-BR', 8);
INSERT INTO stock VALUES ('02', 'C6002-WH', 4);
INSERT INTO stock VALUES ('02', 'C6002-BK', 0);
INSERT INTO stock VALUES ('02', 'C6002-GY', 7);

INSERT INTO document VALUES ('purchase', 'P240301001', 'A', '2024/03/01', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240301001', 1, 'A1001-WH-M', 24);
INSERT INTO document_line VALUES ('purchase', 'P240301001', 2, 'A1001-WH-L', 24);
INSERT INTO document_line VALUES ('purchase', 'P240301001', 3, 'A1001-BK-M', 18);
INSERT INTO document_line VALUES ('purchase', 'P240301001', 4, 'A1001-NV-L', 12);

INSERT INTO document VALUES ('purchase', 'P240305001', '01', '2024/03/05', 'S002', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240305001', 1, 'A1002-WH-M', 6);
INSERT INTO document_line VALUES ('purchase', 'P240305001', 2, 'B2001-NV-30', 8);
INSERT INTO document_line VALUES ('purchase', 'P240305001', 3, 'B2001-BK-32', 5);

INSERT INTO document VALUES ('purchase', 'P240305002', '02', '2024/03/05', 'S003', '', '', '', 'Y');
INSERT INTO document_line VALUES ('purchase', 'P240305002', 1, 'D3001-PK-S', 3);
INSERT INTO document_line VALUES ('purchase', 'P240305002', 2, 'D3001-PK-M', 4);
INSERT INTO document_line VALUES ('purchase', 'P240305002', 3, 'D3001-WH-M', 2);

INSERT INTO document VALUES ('purchase', 'P240312001', 'A', '2024/03/12', 'S004', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240312001', 1, 'C6001-BK', 5);
INSERT INTO document_line VALUES ('purchase', 'P240312001', 2, 'C6001-BR', 3);

INSERT INTO document VALUES ('purchase', 'P240318001', '02', '2024/03/18', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240318001', 1, 'A1003-PK-110', 6);
INSERT INTO document_line VALUES ('purchase', 'P240318001', 2, 'A1003-NV-120', 6);
INSERT INTO document_line VALUES ('purchase', 'P240318001', 3, 'K5001-GY-M', 4);

INSERT INTO document VALUES ('purchase', 'P240402001', '01', '2024/04/02', 'S003', '', '', '', 'Y');
INSERT INTO document_line VALUES ('purchase', 'P240402001', 1, 'J4001-BK-L', 4);
INSERT INTO document_line VALUES ('purchase', 'P240402001', 2, 'J4001-NV-M', 3);

INSERT INTO document VALUES ('stocktake', 'I240331001', '01', '2024/03/31', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240331001', 1, 'A1001-WH-M', 7);
INSERT INTO document_line VALUES ('stocktake', 'I240331001', 2, 'A1002-WH-M', 5);
INSERT INTO document_line VALUES ('stocktake', 'I240331001', 3, 'B2001-NV-30', 6);

INSERT INTO document VALUES ('stocktake', 'I240331002', '02', '2024/03/31', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240331002', 1, 'D3001-PK-S', 2);
INSERT INTO document_line VALUES ('stocktake', 'I240331002', 2, 'D3001-PK-M', 3);
INSERT INTO document_line VALUES ('stocktake', 'I240331002', 3, 'A1003-PK-110', 5);

INSERT INTO document VALUES ('stocktake', 'I240415001', 'A', '2024/04/15', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240415001', 1, 'C6001-BK', 4);
INSERT INTO document_line VALUES ('stocktake', 'I240415001', 2, 'C6002-WH', 30);
INSERT INTO document_line VALUES ('stocktake', 'I240415001', 3, 'C6002-BK', 26);
INSERT INTO document_line VALUES ('stocktake', 'I240415001', 4, 'K5001-GY-M', 9);

INSERT INTO document VALUES ('transfer', 'T240302001', 'A', '2024/03/02', '', '', '01', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240302001', 1, 'A1001-WH-M', 6);
INSERT INTO document_line VALUES ('transfer', 'T240302001', 2, 'A1001-WH-L', 6);
INSERT INTO document_line VALUES ('transfer', 'T240302001', 3, 'A1001-BK-M', 4);

INSERT INTO document VALUES ('transfer', 'T240302002', 'A', '2024/03/02', '', '', '02', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240302002', 1, 'A1001-NV-L', 5);
INSERT INTO document_line VALUES ('transfer', 'T240302002', 2, 'C6002-GY', 12);

INSERT INTO document VALUES ('transfer', 'T240320001', '01', '2024/03/20', '', '', '02', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240320001', 1, 'B2001-BK-32', 2);

INSERT INTO document VALUES ('transfer', 'T240408001', '02', '2024/04/08', '', '', 'A', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240408001', 1, 'D3001-WH-M', 1);
INSERT INTO document_line VALUES ('transfer', 'T240408001', 2, 'A1003-NV-120', 2);

INSERT INTO document VALUES ('order', 'O240225001', 'A', '2024/02/25', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240225001', 1, 'A1001-RD-S', 20);
INSERT INTO document_line VALUES ('order', 'O240225001', 2, 'A1001-RD-M', 30);
INSERT INTO document_line VALUES ('order', 'O240225001', 3, 'A1001-RD-L', 20);

INSERT INTO document VALUES ('order', 'O240310001', 'A', '2024/03/10', 'S003', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240310001', 1, 'J4001-BE-M', 10);
INSERT INTO document_line VALUES ('order', 'O240310001', 2, 'J4001-BE-L', 10);

INSERT INTO document VALUES ('order', 'O240405001', '02', '2024/04/05', 'S002', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240405001', 1, 'B2002-KH-30', 6);
INSERT INTO document_line VALUES ('order', 'O240405001', 2, 'B2002-BE-30', 6);

INSERT INTO document VALUES ('wholesale', 'W240308001', 'A', '2024/03/08', '', 'C0010', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240308001', 1, 'A1001-WH-M', 12);
INSERT INTO document_line VALUES ('wholesale', 'W240308001', 2, 'A1001-BK-M', 12);
INSERT INTO document_line VALUES ('wholesale', 'W240308001', 3, 'C6002-WH', 20);

INSERT INTO document VALUES ('wholesale', 'W240322001', '01', '2024/03/22', '', 'C0010', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240322001', 1, 'B2002-KH-32', 5);

INSERT INTO document VALUES ('consignment', 'G240315001', 'A', '2024/03/15', '', 'C0011', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240315001', 1, 'D3001-PK-M', 4);
INSERT INTO document_line VALUES ('consignment', 'G240315001', 2, 'D3001-WH-S', 3);

INSERT INTO document VALUES ('consignment', 'G240410001', '02', '2024/04/10', '', 'C0011', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240410001', 1, 'K5001-BR-L', 2);

INSERT INTO document VALUES ('sale', 'R01010001', '01', '2024/04/01', '', 'C0001', '', '01', 'N');
INSERT INTO document_line VALUES ('sale', 'R01010001', 1, 'A1001-WH-M', 1);
INSERT INTO document_line VALUES ('sale', 'R01010001', 2, 'B2001-NV-30', 1);

INSERT INTO document VALUES ('sale', 'R01010002', '01', '2024/04/01', '', '', '', '01', 'N');
INSERT INTO document_line VALUES ('sale', 'R01010002', 1, 'C6002-BK', 2);

INSERT INTO document VALUES ('sale', 'R01010003', '01', '2024/04/02', '', 'C0004', '', '01', 'N');
INSERT INTO document_line VALUES ('sale', 'R01010003', 1, 'K5001-GY-S', 1);
INSERT INTO document_line VALUES ('sale', 'R01010003', 2, 'A1002-NV-L', 1);

INSERT INTO document VALUES ('sale', 'R01020001', '01', '2024/04/01', '', '', '', '02', 'N');
INSERT INTO document_line VALUES ('sale', 'R01020001', 1, 'J4001-BK-M', 1);

INSERT INTO document VALUES ('sale', 'R02010001', '02', '2024/04/02', '', 'C0007', '', '01', 'N');
INSERT INTO document_line VALUES ('sale', 'R02010001', 1, 'D3001-PK-M', 1);

INSERT INTO document VALUES ('sale', 'R02010002', '02', '2024/04/03', '', '', '', '01', 'N');
INSERT INTO document_line VALUES ('sale', 'R02010002', 1, 'A1003-PK-120', 2);
INSERT INTO document_line VALUES ('sale', 'R02010002', 2, 'C6002-WH', 1);

-- More documents, so that each branch has at least three of every kind it
-- issues (head office runs no registers) on several dates, from several
-- suppliers and on two registers: every filter within one branch narrows.
-- Their purchase lines are older than each item's last receipt above, so
-- the last purchase dates stay as they were.
INSERT INTO document VALUES ('purchase', 'P240315001', '01', '2024/03/15', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240315001', 1, 'A1001-RD-S', 6);
INSERT INTO document_line VALUES ('purchase', 'P240315001', 2, 'A1001-RD-M', 10);
INSERT INTO document_line VALUES ('purchase', 'P240315001', 3, 'A1001-RD-L', 8);

INSERT INTO document VALUES ('stocktake', 'I240430001', '02', '2024/04/30', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240430001', 1, 'J4001-BK-L', 2);
INSERT INTO document_line VALUES ('stocktake', 'I240430001', 2, 'K5001-GY-S', 4);

INSERT INTO document VALUES ('transfer', 'T240415001', '02', '2024/04/15', '', '', '01', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240415001', 1, 'D3001-PK-S', 1);
INSERT INTO document_line VALUES ('transfer', 'T240415001', 2, 'B2002-KH-28', 3);

INSERT INTO document VALUES ('order', 'O240318001', '01', '2024/03/18', 'S002', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240318001', 1, 'B2001-NV-32', 8);
INSERT INTO document_line VALUES ('order', 'O240318001', 2, 'B2001-BK-30', 5);
INSERT INTO document_line VALUES ('order', 'O240318001', 3, 'A1002-NV-M', 7);

INSERT INTO document VALUES ('wholesale', 'W240411001', '02', '2024/04/11', '', 'C0007', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240411001', 1, 'D3001-PK-L', 4);
INSERT INTO document_line VALUES ('wholesale', 'W240411001', 2, 'A1003-NV-110', 3);

INSERT INTO document VALUES ('consignment', 'G240325001', '01', '2024/03/25', '', 'C0004', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240325001', 1, 'J4001-NV-L', 2);
INSERT INTO document_line VALUES ('consignment', 'G240325001', 2, 'K5001-BE-M', 3);

INSERT INTO document VALUES ('sale', 'R02020001', '02', '2024/04/03', '', '', '', '02', 'N');
INSERT INTO document_line VALUES ('sale', 'R02020001', 1, 'K5001-BE-S', 1);
INSERT INTO document_line VALUES ('sale', 'R02020001', 2, 'C6001-BR', 1);

INSERT INTO document VALUES ('sale', 'R02020002', '02', '2024/04/04', '', 'C0005', '', '02', 'N');
INSERT INTO document_line VALUES ('sale', 'R02020002', 1, 'A1001-NV-M', 3);

INSERT INTO document VALUES ('purchase', 'P240220001', 'A', '2024/02/20', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240220001', 1, 'A1001-WH-M', 12);
INSERT INTO document_line VALUES ('purchase', 'P240220001', 2, 'A1001-BK-M', 10);
INSERT INTO document_line VALUES ('purchase', 'P240220001', 3, 'K5001-GY-M', 6);

INSERT INTO document VALUES ('purchase', 'P240227001', '02', '2024/02/27', 'S002', '', '', '', 'N');
INSERT INTO document_line VALUES ('purchase', 'P240227001', 1, 'B2001-NV-30', 4);
INSERT INTO document_line VALUES ('purchase', 'P240227001', 2, 'A1002-WH-M', 3);

INSERT INTO document VALUES ('stocktake', 'I240229001', '01', '2024/02/29', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240229001', 1, 'A1001-RD-M', 3);
INSERT INTO document_line VALUES ('stocktake', 'I240229001', 2, 'B2002-KH-30', 2);

INSERT INTO document VALUES ('stocktake', 'I240229002', '02', '2024/02/29', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240229002', 1, 'D3001-WH-M', 2);
INSERT INTO document_line VALUES ('stocktake', 'I240229002', 2, 'K5001-BR-S', 3);

INSERT INTO document VALUES ('stocktake', 'I240229003', 'A', '2024/02/29', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240229003', 1, 'C6002-GY', 15);
INSERT INTO document_line VALUES ('stocktake', 'I240229003', 2, 'A1001-NV-L', 8);

INSERT INTO document VALUES ('stocktake', 'I240331003', 'A', '2024/03/31', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240331003', 1, 'C6001-BR', 6);
INSERT INTO document_line VALUES ('stocktake', 'I240331003', 2, 'D3001-WH-S', 5);

INSERT INTO document VALUES ('stocktake', 'I240430002', '01', '2024/04/30', '', '', '', '', 'N');
INSERT INTO document_line VALUES ('stocktake', 'I240430002', 1, 'J4001-NV-M', 1);
INSERT INTO document_line VALUES ('stocktake', 'I240430002', 2, 'A1001-WH-L', 4);

INSERT INTO document VALUES ('transfer', 'T240305001', '02', '2024/03/05', '', '', '01', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240305001', 1, 'D3001-PK-M', 1);
INSERT INTO document_line VALUES ('transfer', 'T240305001', 2, 'A1003-PK-110', 2);

INSERT INTO document VALUES ('transfer', 'T240322001', 'A', '2024/03/22', '', '', '02', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240322001', 1, 'B2002-BE-30', 4);
INSERT INTO document_line VALUES ('transfer', 'T240322001', 2, 'C6002-WH', 10);

INSERT INTO document VALUES ('transfer', 'T240325001', '01', '2024/03/25', '', '', 'A', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240325001', 1, 'A1002-WH-M', 2);
INSERT INTO document_line VALUES ('transfer', 'T240325001', 2, 'K5001-GY-S', 1);

INSERT INTO document VALUES ('transfer', 'T240425001', '01', '2024/04/25', '', '', '02', '', 'N');
INSERT INTO document_line VALUES ('transfer', 'T240425001', 1, 'J4001-BK-M', 1);
INSERT INTO document_line VALUES ('transfer', 'T240425001', 2, 'C6002-BK', 2);

INSERT INTO document VALUES ('order', 'O240215001', 'A', '2024/02/15', 'S004', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240215001', 1, 'C6001-BK', 8);
INSERT INTO document_line VALUES ('order', 'O240215001', 2, 'C6001-BR', 6);

INSERT INTO document VALUES ('order', 'O240222001', '01', '2024/02/22', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240222001', 1, 'A1001-WH-S', 10);
INSERT INTO document_line VALUES ('order', 'O240222001', 2, 'K5001-BE-M', 4);

INSERT INTO document VALUES ('order', 'O240228001', '02', '2024/02/28', 'S003', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240228001', 1, 'J4001-NV-L', 4);
INSERT INTO document_line VALUES ('order', 'O240228001', 2, 'D3001-PK-L', 3);

INSERT INTO document VALUES ('order', 'O240320001', '02', '2024/03/20', 'S001', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240320001', 1, 'A1003-NV-130', 6);
INSERT INTO document_line VALUES ('order', 'O240320001', 2, 'C6002-GY', 5);

INSERT INTO document VALUES ('order', 'O240412001', '01', '2024/04/12', 'S003', '', '', '', 'N');
INSERT INTO document_line VALUES ('order', 'O240412001', 1, 'D3001-WH-L', 3);
INSERT INTO document_line VALUES ('order', 'O240412001', 2, 'J4001-BE-XL', 2);

INSERT INTO document VALUES ('wholesale', 'W240212001', '01', '2024/02/12', '', 'C0016', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240212001', 1, 'A1002-NV-M', 4);
INSERT INTO document_line VALUES ('wholesale', 'W240212001', 2, 'B2002-BE-32', 3);

INSERT INTO document VALUES ('wholesale', 'W240220001', 'A', '2024/02/20', '', 'C0016', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240220001', 1, 'B2001-BK-30', 10);
INSERT INTO document_line VALUES ('wholesale', 'W240220001', 2, 'A1001-NV-M', 12);

INSERT INTO document VALUES ('wholesale', 'W240306001', '02', '2024/03/06', '', 'C0018', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240306001', 1, 'D3001-PK-S', 2);
INSERT INTO document_line VALUES ('wholesale', 'W240306001', 2, 'K5001-BE-L', 2);

INSERT INTO document VALUES ('wholesale', 'W240402001', 'A', '2024/04/02', '', 'C0010', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240402001', 1, 'K5001-GY-L', 6);

INSERT INTO document VALUES ('wholesale', 'W240418001', '01', '2024/04/18', '', 'C0010', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240418001', 1, 'C6002-WH', 6);

INSERT INTO document VALUES ('wholesale', 'W240426001', '02', '2024/04/26', '', 'C0016', '', '', 'N');
INSERT INTO document_line VALUES ('wholesale', 'W240426001', 1, 'A1003-PK-130', 5);

INSERT INTO document VALUES ('consignment', 'G240226001', 'A', '2024/02/26', '', 'C0011', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240226001', 1, 'J4001-BK-XL', 2);
INSERT INTO document_line VALUES ('consignment', 'G240226001', 2, 'D3001-PK-S', 2);

INSERT INTO document VALUES ('consignment', 'G240228001', '02', '2024/02/28', '', 'C0011', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240228001', 1, 'C6002-BK', 4);

INSERT INTO document VALUES ('consignment', 'G240301001', '01', '2024/03/01', '', 'C0011', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240301001', 1, 'D3001-WH-S', 2);
INSERT INTO document_line VALUES ('consignment', 'G240301001', 2, 'A1002-WH-L', 2);

INSERT INTO document VALUES ('consignment', 'G240320001', '02', '2024/03/20', '', 'C0018', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240320001', 1, 'J4001-BE-L', 1);
INSERT INTO document_line VALUES ('consignment', 'G240320001', 2, 'A1001-RD-XL', 2);

INSERT INTO document VALUES ('consignment', 'G240416001', '01', '2024/04/16', '', 'C0011', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240416001', 1, 'B2001-NV-34', 3);

INSERT INTO document VALUES ('consignment', 'G240419001', 'A', '2024/04/19', '', 'C0016', '', '', 'N');
INSERT INTO document_line VALUES ('consignment', 'G240419001', 1, 'K5001-BR-M', 3);
INSERT INTO club VALUES ('V1', '一般會員');
INSERT INTO club VALUES ('V2', '金卡會員');
INSERT INTO club VALUES ('V3', '白金會員');
INSERT INTO club VALUES ('W1', '批發客戶');

INSERT INTO customer VALUES ('C0001', '王小明', '', '02-2771-3456', '0912-345-678', 'V1', '106', '台北市大安區忠孝東路四段181號5樓', 'M000101', '01', '2023/05/12', '1985/12/24');
INSERT INTO customer VALUES ('C0002', '林美玲', '晶華科技股份有限公司', '02-2751-8899', '0928-111-222', 'V2', '110', '台北市信義區松仁路100號12樓', 'M000102', '01', '2023/07/03', '1990/01/05');
INSERT INTO customer VALUES ('C0003', '陳志豪', '', '02-2345-6789', '0935-246-810', 'V1', '104', '台北市中山區南京東路二段88號', 'M000103', '01', '2024/01/20', '1978/06/15');
INSERT INTO customer VALUES ('C0004', '張淑芬', '國泰診所', '02-2708-1122', '0919-876-543', 'V3', '106', '台北市大安區復興南路一段300號2樓', 'M000104', '01', '2022/11/30', '1982/03/08');
INSERT INTO customer VALUES ('C0005', '李建國', '', '04-2326-5566', '0952-333-444', 'V1', '403', '台中市西區公益路68號', 'M000201', '02', '2023/09/09', '1975/12/02');
INSERT INTO customer VALUES ('C0006', '黃雅婷', '', '04-2310-7788', '0987-654-321', 'V2', '408', '台中市南屯區公益路二段51號7樓', 'M000202', '02', '2024/02/14', '1995/01/28');
INSERT INTO customer VALUES ('C0007', '劉怡君', '好日子設計工作室', '04-2255-0011', '0911-222-333', 'V1', '404', '台中市北區三民路三段129號', 'M000203', '02', '2024/03/01', '1988/08/18');
INSERT INTO customer VALUES ('C0008', '蔡佩珊', '', '', '0966-778-899', 'V1', '407', '台中市西屯區台灣大道三段99號', 'M000204', '02', '2024/03/20', '2000/04/01');
INSERT INTO customer VALUES ('C0009', '楊文傑', '', '03-4567-890', '0921-000-111', 'V1', '320', '桃園市中壢區中正路200號', 'M000001', 'A', '2023/01/15', '1980/12/31');
INSERT INTO customer VALUES ('C0010', '許家豪', '家豪服飾批發行', '02-2556-7788', '0930-555-666', 'W1', '103', '台北市大同區迪化街一段21號', '', 'A', '2022/08/08', '1970/10/10');
INSERT INTO customer VALUES ('C0011', '鄭惠如', '惠如精品寄賣店', '07-331-2244', '0975-123-456', 'W1', '802', '高雄市苓雅區中正一路120號', '', 'A', '2023/04/22', '1983/11/11');
INSERT INTO customer VALUES ('C0012', '吳佳蓉', '', '02-2999-1234', '0958-222-777', 'V2', '242', '新北市新莊區中正路500號3樓', 'M000105', '01', '2024/04/06', '1992/02/29');
INSERT INTO customer VALUES ('C0013', '歐陽司馬上官皇甫端木令狐慕容長孫宇文諸葛東方尉遲公孫軒轅夏侯呼延', '', '02-2700-1313', '0913-131-313', 'V2', '106', '台北市大安區敦化南路二段76號9樓', 'M000106', '01', '2023/06/18', '1987/05/13');
INSERT INTO customer VALUES ('C0014', '周子瑜', '台灣優質紡織成衣暨國際時尚精品零售連鎖事業股份有限公司台北市第一分公司信義旗艦店營業部門會員服務暨採購課', '02-8780-1414', '0914-141-414', 'V3', '110', '台北市信義區市府路45號89樓', 'M000107', '01', '2024/05/01', '1991/07/04');
INSERT INTO customer VALUES ('C0015', '洪秀柱', '', '04-2258-1515', '0915-151-515', 'V1', '407', '台中市西屯區台灣大道四段1727號東海大學附設實驗農場旁邊巷子進去第三條小路右轉後左手邊第二間透天厝三樓之一', 'M000205', '02', '2024/06/20', '1969/09/21');
INSERT INTO customer VALUES ('C0016', '郭台成', '鴻運國際貿易有限公司', '07-536-1616', '0916-161-616', 'W1', '804', '高雄市鼓山區蓮海路70號', '', 'A', '2021/12/12', '1974/05/30');
INSERT INTO customer VALUES ('C0017', '高嘉瑜', '', '02-2362-1717', '0917-171-717', 'V1', '100', '台北市中正區羅斯福路四段1號', 'M000108', '01', '2024/07/07', '1996/07/28');
INSERT INTO customer VALUES ('C0018', '謝長廷', '謝氏家族投資控股股份有限公司', '04-2326-1818', '0918-181-818', 'V2', '403', '台中市西區英才路530號', 'M000206', '02', '2023/10/15', '1966/09/02');
INSERT INTO customer VALUES ('C0019', '蕭美琴', '', '02-2555-1919', '', 'V1', '103', '台北市大同區南京西路233巷5號', 'M000109', '01', '2024/08/01', '1971/08/07');
INSERT INTO customer VALUES ('C0020', '賴清德', '', '06-222-2020', '0920-202-020', 'V3', '700', '台南市中西區民族路二段139號', 'M000002', 'A', '2022/02/20', '1959/10/06');

COMMIT;
